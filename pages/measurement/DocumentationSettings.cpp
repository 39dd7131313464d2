// The documentation page's values in the settings store ("DespiteReset"): the 60-byte record,
// taken only when whole and sealed, and the nine texts, each cut to its field's length and put
// through its field's filter, so that nothing stored can put a file outside its folder.
#include <memory>

#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/PathFieldFilter.h"

namespace {

constexpr const char* kSection = "DespiteReset";
constexpr const char* kRecordEntry = "DocumentationStruct";
constexpr int kMaxPrefixLength = 64;
constexpr int kMaxFreeTextLength = 4096;
const char* const kDefaultFolders[3] = {"Messwerte", "IONIO", "Diagramme"};
const char* const kDefaultPrefixes[3] = {"MW", "IONIO", "DM"};

bool IsDirectory(int text) {
    return text == CDlgDocumentation::kMWTargetDirectory ||
           text == CDlgDocumentation::kIONIOTargetDirectory ||
           text == CDlgDocumentation::kDMTargetDirectory;
}

bool IsPrefix(int text) {
    return text == CDlgDocumentation::kMWPrefix || text == CDlgDocumentation::kIONIOPrefix ||
           text == CDlgDocumentation::kDMPrefix;
}

}  // namespace

const char* const CDlgDocumentation::kTextEntries[kTextCount] = {
    "MWTargetDirectory", "MWPrefix",          "IONIOTargetDirectory",
    "IONIOPrefix",       "DMTargetDirectory", "DMPrefix",
    "Headline",          "Address",           "Comment"};

void CDlgDocumentation::SetDefaultSettings() {
    m_sDocumentation = DocumentationRecord::Defaults(GetLanguageOffset());
    m_strTexts[kHeadline].Empty();
    m_strTexts[kAddress].Empty();
    m_strTexts[kComment].Empty();
}

void CDlgDocumentation::SetDefaultPaths() {
    CString base;
    CEnvironment::GetLocalAppDataPath(base);
    for (int i = 0; i < 3; ++i) {
        m_strTexts[2 * i] = documentation_texts::JoinPath(
            documentation_texts::JoinPath(base, "Brevan"), kDefaultFolders[i]);
        m_strTexts[2 * i + 1] = kDefaultPrefixes[i];
    }
}

void CDlgDocumentation::LoadSettings(CWinApp* app) {
    SetDefaultSettings();
    SetDefaultPaths();
    if (app == nullptr)
        return;
    BYTE* data = nullptr;
    UINT bytes = 0;
    app->GetProfileBinary(kSection, kRecordEntry, &data, &bytes);
    const std::unique_ptr<BYTE[]> owned(data);
    // A stored record that is damaged takes the folders and texts stored beside it down too.
    if (!DocumentationRecord::FromBytes(data, bytes, GetLanguageOffset(), m_sDocumentation) &&
        data != nullptr)
        return;
    for (int i = 0; i < kTextCount; ++i) {
        CString text = app->GetProfileString(kSection, kTextEntries[i], m_strTexts[i]);
        if (IsDirectory(i)) {
            FilterDirectoryText(text);
            text = text.Left(CBrowseCtrl::kMaxPathLength);
        } else if (IsPrefix(i)) {
            FilterPrefixText(text);
            text = text.Left(kMaxPrefixLength);
        } else {
            text = text.Left(kMaxFreeTextLength);
        }
        m_strTexts[i] = text;
    }
}

BOOL CDlgDocumentation::SaveSettings(CWinApp* app) const {
    if (app == nullptr)
        return FALSE;
    DocumentationRecord record = m_sDocumentation;
    record.Seal();
    auto blob = record.ToBytes();
    BOOL ok = app->WriteProfileBinary(kSection, kRecordEntry, blob.data(),
                                      static_cast<UINT>(blob.size()));
    for (int i = 0; i < kTextCount; ++i)
        ok = app->WriteProfileString(kSection, kTextEntries[i], m_strTexts[i]) && ok;
    return ok;
}
