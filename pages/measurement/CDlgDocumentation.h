// The documentation page (template 136): target directories, file-name prefixes, header texts
// and separators of the exported files.
#pragma once

#include <cstdint>

#include "app/PageDialog.h"
#include "controls/BrowsePageInterfaces.h"

// The documentation record: its settings, then size, byte sum and sum of the running sums.
struct DocumentationRecord {
    uint8_t settings[48] = {};
    uint32_t size = 0;
    uint32_t byteSum = 0;
    uint32_t runningSum = 0;
};
static_assert(sizeof(DocumentationRecord) == 60);

class CDlgDocumentation : public CPageDialog, public IBrowseDocumentationPage {
    DECLARE_DYNAMIC(CDlgDocumentation)
  public:
    enum { IDD = 136 };
    CDlgDocumentation() = default;

    void SetDefaultSettings() { m_sDocumentation = DocumentationRecord{}; }
    void SetDefaultPaths() {}
    // The browse control's edited target directories.
    void OnBrowseMWTargetDirectory(CWnd*) override {}
    void OnBrowseDMTargetDirectory(CWnd*) override {}
    void OnBrowseIONIOTargetDirectory(CWnd*) override {}
    // False while the page refuses to be left (unsaved or invalid entries).
    BOOL CanLeavePage() const { return m_bMayLeave; }

    DocumentationRecord m_sDocumentation;
    // "MWTargetDirectory", "MWPrefix", "IONIOTargetDirectory", "IONIOPrefix",
    // "DMTargetDirectory", "DMPrefix", "Headline", "Address", "Comment".
    CString m_strTexts[9];
    BOOL m_bMayLeave = TRUE;
    int m_iDiagramStorageMode = 0;  // 0 none, 1 indexed name, 2 constant name
};
