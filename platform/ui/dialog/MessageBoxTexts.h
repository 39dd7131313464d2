// The texts a message box writes itself, by language.
#pragma once

#include "platform/ui/dialog/MessageBox.h"

namespace kq::ui {

// The caption of a button id (IDOK ... IDCONTINUE), with '&' before its mnemonic.
const char* MessageBoxButtonText(MessageBoxLanguage language, int id);
// The caption used when the caller gives none.
const char* MessageBoxDefaultCaption(MessageBoxLanguage language);

}  // namespace kq::ui
