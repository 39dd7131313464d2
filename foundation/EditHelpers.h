// Helpers for windows whose text is a number or a user's input in the current language.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// Sets the window's text to the text of the string id in the current language followed by the
// suffix; whether the id has a text.
bool SetWindowTextFromId(HWND window, int stringId, const char* suffix = "");

// Judges the character just typed into an edit (the one before the caret) and removes it when
// it is not allowed: outside the allowed characters, a second decimal separator or sign, a
// separator in the first place, or a sign after the first place. A '.' or ',' becomes the current
// language's separator. changed tells whether the text was rewritten. Returns the text's value
// (0 when it is no number). Without an allowed set, digits, signs and separators are allowed.
double FilterNumericEditInput(HWND edit, bool& changed, const char* allowed = nullptr);

// Filters the edit's input, then reads its text as a number with ',' taken as '.'; 0 for an
// empty or non-numeric text.
double GetNumericEditValue(HWND edit);

// The value of a number text written with '.' or ','; 0 when the text is no number.
double ParseNumberText(const CString& text);
