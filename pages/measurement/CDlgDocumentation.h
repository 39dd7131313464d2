// The documentation page (template 136): target directories, file-name prefixes, header texts
// and separators of the exported files. It holds the documentation record and builds the texts
// written around the exported rows.
#pragma once

#include <cstdint>

#include "controls/BrowseCtrl.h"
#include "controls/BrowsePageInterfaces.h"
#include "pages/common/MeasureFlow.h"
#include "pages/measurement/DocumentationRecord.h"
#include "pages/measurement/DocumentationTexts.h"
#include "pages/measurement/SettingsPage.h"
#include "platform/base/Time.h"

class IExportHeaderSource;

class CDlgDocumentation : public CSettingsPage,
                          public IBrowseDocumentationPage,
                          public IFlowDocumentation {
    DECLARE_DYNAMIC(CDlgDocumentation)
  public:
    enum { IDD = 136 };
    // Indexes of m_strTexts, in the order the settings store them.
    enum Text {
        kMWTargetDirectory,
        kMWPrefix,
        kIONIOTargetDirectory,
        kIONIOPrefix,
        kDMTargetDirectory,
        kDMPrefix,
        kHeadline,
        kAddress,
        kComment,
        kTextCount
    };
    static const char* const kTextEntries[kTextCount];

    CDlgDocumentation() = default;

    // Defaults of the record in the current language, and of the folders, prefixes and texts.
    void SetDefaultSettings();
    void SetDefaultPaths();
    BOOL SetLanguageTexts() override;
    // Stored values in and out (section "DespiteReset"); the save answers FALSE when a write
    // failed.
    void LoadSettings(CWinApp* app);
    BOOL SaveSettings(CWinApp* app) const;

    // The browse control's edited target directories.
    void OnBrowseMWTargetDirectory(CWnd* edit) override;
    void OnBrowseDMTargetDirectory(CWnd* edit) override;
    void OnBrowseIONIOTargetDirectory(CWnd* edit) override;
    // False while the page refuses to be left (unsaved or invalid entries).
    BOOL CanLeavePage();

    // What the flow asks.
    int GetDecimalSeparatorLanguage() const override;
    CString GetLineEndText() const override { return m_sDocumentation.LineEndText(); }
    CString GetColumnSeparatorText() const override {
        return m_sDocumentation.ColumnSeparatorText();
    }
    int GetMeasuredValueStorageMode() const override { return m_sDocumentation.measuredValueMode; }
    int GetResultStorageMode() const override { return m_sDocumentation.resultMode; }
    int GetDiagramStorageMode() const override { return m_sDocumentation.diagramMode; }
    int GetStorageSelection() const override { return m_sDocumentation.storageSelection; }
    BOOL ShowsUnits() const override { return m_sDocumentation.showUnits != 0; }
    CString GetTargetDirectory(int kind) const override;
    CString GetAutoFileName(int kind, BOOL constant) const override;
    void MakeAutoFileNames(int mode) override;
    CString BuildMeasurementInfoHeader(int kind) override;
    CString BuildStopInfoText() override;
    void NoteMeasurementStop() override;
    CString BuildIoNioResultText() override;
    CString GetCurrentHeaderText() const override { return m_strCurrentHeader; }
    BOOL CheckAutoSaveSettings() override;
    CString GetPrintHeadline() const override { return m_strTexts[kHeadline]; }
    std::vector<CString> GetPrintAddressLines() const override;
    std::vector<CString> GetPrintCommentLines() const override;
    CString GetDiagramTargetDirectory() const override { return m_strTexts[kDMTargetDirectory]; }
    CString GetAutoDiagramFileName() const override { return m_names.diagram; }
    int GetExportSizeMode() const override { return m_sDocumentation.exportSize; }
    // The export's diagram file name (the diagram view reads it).
    const CString& GetDiagramFileName() const { return m_names.diagram; }

    DocumentationRecord m_sDocumentation = DocumentationRecord::Defaults(0);
    CString m_strTexts[kTextCount];
    // Tests and the frame may refuse leaving regardless of the entries.
    BOOL m_bMayLeave = TRUE;
    int32_t& m_iDiagramStorageMode = m_sDocumentation.diagramMode;
    // Where the header finds sensors and columns; the frame when it offers them.
    IExportHeaderSource* m_pHeaderSource = nullptr;

  protected:
    BOOL OnInitDialog() override;
    void OnStorageMode(UINT id);
    void OnShowUnits();
    void OnColumnSeparator();
    void OnLineEnd();
    void OnDecimalSeparator();
    void OnExportSize();
    void OnPrefixChanged(UINT id);
    void OnFreeTextChanged(UINT id);
    DECLARE_MESSAGE_MAP()

  private:
    void ShowValues();
    void TakeSeparatorChoice(const DocumentationRecord& chosen, bool chose);
    void TakeDirectory(CWnd* edit, int text, BOOL& lock);
    IExportHeaderSource* HeaderSource() const;
    documentation_texts::HeaderInput HeaderLabels() const;

    CBrowseCtrl m_browse[3];
    documentation_texts::AutoFileNames m_names;
    CString m_strCurrentHeader;
    CString m_strStamp;
    ULONGLONG m_ullStartTick = 0;
    // When the measurement of the current header ended (the stop block of a later save).
    CTime m_stopTime;
    ULONGLONG m_ullStopTick = 0;
    BOOL m_bStopNoted = FALSE;
    BOOL m_abDirectoryLock[3] = {};
    BOOL m_bPrefixLock = FALSE;
    BOOL m_bShowing = FALSE;
};
