#include "foundation/FailureMessages.h"

#include "foundation/Language.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kStopIcon = 0x00000010;

}  // namespace

void ReportFolderFailure(const CString& folder) {
    CString text;
    text.Format(GetLanguageString(IDS_FOLDER_NOT_CREATED).GetString(), folder);
    AfxMessageBox(text, kStopIcon);
}

void ReportFileNotWritten(const char* path, const std::string& error) {
    CString text;
    text.Format(GetLanguageString(IDS_FILE_NOT_WRITTEN).GetString(), path ? path : "",
                error.c_str());
    AfxMessageBox(text, kStopIcon);
}
