// The rules of the path fields of the pages: a directory keeps every character a file system
// takes but control characters; a file-name prefix also refuses '/', which would put the file
// outside its folder. Both judge the whole text, so chosen and pasted paths are checked too.
#pragma once

#include "platform/base/CString.h"

// Removes control characters; true when something was removed.
bool FilterDirectoryText(CString& text);
// Removes control characters and '/'; true when something was removed.
bool FilterPrefixText(CString& text);
