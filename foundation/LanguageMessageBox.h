// Message boxes whose text is a string id in the current language.
#pragma once

#include "platform/base/WinTypes.h"

// Shows the text of the id in the current language; the answer is not needed by the callers.
void ShowLanguageMessageBox(int stringId, UINT type = 0, UINT helpId = 0);
