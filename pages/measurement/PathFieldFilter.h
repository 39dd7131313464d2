// The rules of the text fields of the pages: a directory keeps every character a file system
// takes but control characters; a file-name prefix also refuses '/', which would put the file
// outside its folder, and a leading '.', which would hide it; a text that goes into the
// measurement files keeps only what their code page 1252 holds. Each judges the whole text, so
// chosen and pasted texts are checked too.
#pragma once

#include "platform/base/CString.h"

// Removes control characters; true when something was removed.
bool FilterDirectoryText(CString& text);
// Removes control characters, '/' and leading dots; true when something was removed.
bool FilterPrefixText(CString& text);
// Removes characters code page 1252 cannot hold; true when something was removed.
bool FilterFileText(CString& text);
