// The scaling dialog of the measure configuration page (template 242, modeless): per channel of
// the current sensor whether a scaling is present, its name, its factor per base unit (as the
// flow's unit factor takes it) and a preview of the range in that unit. OK writes the scaling
// into the sensor's software configuration; the page's pointer is cleared when the dialog goes.
#pragma once

#include "controls/MyEdit.h"
#include "platform/framework/Framework.h"

class CDlgMeasureAdjust;
class PageHost;

class CDlgSoftwareConfig : public CDialog {
    DECLARE_DYNAMIC(CDlgSoftwareConfig)
  public:
    enum { IDD = 242 };
    static constexpr int kChannels = 2;

    CDlgSoftwareConfig(CDlgMeasureAdjust* page, int sensor);
    ~CDlgSoftwareConfig() override;

    // Closes the dialog as its Cancel button does (the window goes, then the object).
    void OnBnClickedCancel();
    int GetSensor() const { return m_iSensor; }
    // The preview of a channel's range in its scaled unit as shown.
    CString GetPreviewText(int channel) const;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    void OnFieldChanged(UINT id);
    void OnPresentClicked(UINT id);
    DECLARE_MESSAGE_MAP()

  private:
    BOOL SetLanguageTexts();
    void ShowRecord();
    void UpdatePreview(int channel);
    // The typed scaling of both channels, checked; false after its message.
    bool ReadTyped(bool present[kChannels], CString names[kChannels], double factors[kChannels]);
    PageHost* Host() const;

    CDlgMeasureAdjust* m_pPage = nullptr;
    int m_iSensor = 0;
    int m_iLanguage = 0;
    CMyEdit m_editName[kChannels];
    CMyEdit m_editFactor[kChannels];
    CString m_strPreview[kChannels];
};
