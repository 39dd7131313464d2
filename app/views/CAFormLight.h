// The pass/fail light view (form 210) in the light bar: one large picture, grey while there is
// no result, green for a pass, red for a fail and yellow on request, kept square and centred
// whatever the bar's shape.
#pragma once

#include "pages/common/LightIndicator.h"
#include "platform/framework/Framework.h"

class CAFormLight : public CFormView, public ILightIndicator {
    DECLARE_DYNCREATE(CAFormLight)
  public:
    enum { IDD = 210 };
    static constexpr UINT IDC_TEST_BUTTON = 1481;
    static constexpr UINT IDC_PICTURE = 1482;

    CAFormLight();
    ~CAFormLight() override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Shows the light of state -1..2; any other value changes nothing.
    void SetLightState(int state) override;
    int GetLightState() const { return m_iLightState; }
    // The picture's bitmap resource of a state (-1..2), 0 for any other.
    static UINT BitmapOfState(int state);

  protected:
    void OnSize(UINT nType, int cx, int cy);
    // Hands the picture the bitmap of the current state, loaded the first time that state is
    // shown and kept from then on; the template's own picture, handed back, is freed.
    void SetPictureImage();
    HWND Picture() const;

    BOOL m_bFirstUpdatePending = TRUE;
    CWnd* m_pMainFrame = nullptr;
    int m_iLightState = LIGHT_NONE;
    HBITMAP m_hImage = nullptr;      // the image set on the picture (one of m_ahStateImage)
    HBITMAP m_ahStateImage[4] = {};  // each state's image (-1..2), owned here
    DECLARE_MESSAGE_MAP()
};
