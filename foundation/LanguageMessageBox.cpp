#include "foundation/LanguageMessageBox.h"

#include "foundation/Language.h"
#include "platform/framework/MessageBox.h"

void ShowLanguageMessageBox(int stringId, UINT type, UINT helpId) {
    AfxMessageBox(GetLanguageString(stringId), type, helpId);
}
