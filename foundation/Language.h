// The current language and the texts of the string table in it. German texts have the ids
// 5000-5999; a language adds its offset: 1000 English, 2000 the old French block, 3000 Spanish
// placeholders, 4000 the revised French block (the offset held in memory for French).
#pragma once

#include "platform/base/CString.h"

constexpr int LANGUAGE_GERMAN = 0;
constexpr int LANGUAGE_ENGLISH = 1000;
constexpr int LANGUAGE_FRENCH_OLD = 2000;
constexpr int LANGUAGE_SPANISH = 3000;
constexpr int LANGUAGE_FRENCH = 4000;

// Sets the offset the text loader adds to every string id.
void SetLanguageOffset(int offset);
int GetLanguageOffset();

// The text of id + offset; when missing, the text of id + offset - 2000 (so revised French falls
// back to the old French block and Spanish to English). Empty when neither exists.
CString GetLanguageString(int id);
// As GetLanguageString, telling whether a text was found.
bool FindLanguageString(int id, CString& text);

// The decimal separator of a language: '.' for English, ',' for the others. A negative offset
// stands for the current language.
char GetDecimalSeparatorOf(int languageOffset);
