// The digital channel views (form 132): one per channel A, B, C, D, P1 and P2, each in its own
// view bar: the value on top, tare, minimum and maximum below, and the Tara, min Reset and max
// Reset buttons. Each field is rewritten at most once per 100 ms; each view also lends its
// value formatter to the pages. Registers with the main frame once, on its first update.
#pragma once

#include "pages/common/ChannelViewControl.h"
#include "pages/common/DisplayHelper.h"
#include "pages/common/MeasureFlow.h"
#include "platform/framework/Framework.h"

class CMainFrame;

class CAFormChannelX : public CFormView,
                       public CDisplayHelper,
                       public IFlowChannelView,
                       public IFlowBestUnit,
                       public IChannelViewControl {
    DECLARE_DYNAMIC(CAFormChannelX)
  public:
    enum { IDD = 132 };
    // Control ids of form 132: see IChannelViewControl.
    // The four fields in the order of the ready flags.
    enum Field { FIELD_VALUE, FIELD_TARE, FIELD_MIN, FIELD_MAX, FIELD_COUNT };
    static constexpr UINT kFieldPauseMs = 100;

    explicit CAFormChannelX(int channel);

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Field writers: the number text with the channel's unit. Each writes when called and then
    // holds the field's ready flag clear for 100 ms; the caller tests the flag.
    void ShowActualValue(const CString& numberText) override;
    void ShowTaraValue(const CString& numberText) override;
    void ShowMinValue(const CString& numberText) override;
    void ShowMaxValue(const CString& numberText) override;
    BOOL IsFieldReady(int field) const override;
    BOOL IsViewVisible() const override;
    // Best-unit mode for the channel set-up: false when no unit suits the value.
    BOOL FindBestUnit(const CString& valueText, char quantityLetter, int& unitIndex,
                      int& decimals) override;

    // The formatter applied to the channel record that belongs to this view.
    CString FormatChannelValue(const CString& text, char unitLetter, int mode,
                               CString* numberText = nullptr, CString* unitText = nullptr,
                               int* unitId = nullptr, int* unitIndex = nullptr,
                               int* decimals = nullptr, double* factor = nullptr) override;

    // The texts of the tare and the two reset buttons.
    void SetButtonTexts(const CString& tare, const CString& minimum, const CString& maximum);
    // A setting that invalidates the tare removes an active one.
    void SwitchTaraOn() override;
    CWnd& ViewWindow() override { return *this; }
    // The channel's tare lock in the frame (1: no tare), 1 without a frame.
    int GetTareLock() const;
    int GetChannel() const { return m_iChannel; }

    // 1: the field may be rewritten now (value, tare, minimum, maximum).
    BYTE m_abReady[FIELD_COUNT] = {1, 1, 1, 1};

    void OnBnClickedTara();
    void OnBnClickedMinReset();
    void OnBnClickedMaxReset();

  protected:
    void OnTimer(UINT_PTR nIDEvent);
    void ShowField(Field field, const CString& numberText);
    // The frame to read: the one of the first update, else the application's main window.
    CMainFrame* Frame() const;

    int m_iChannel;
    BOOL m_bFirstUpdatePending = TRUE;
    CMainFrame* m_pMainFrame = nullptr;
    DECLARE_MESSAGE_MAP()
};

// One class per channel, so that each bar creates its own view from its runtime class.
#define KQ_CHANNEL_FORM(name, channel)      \
    class name : public CAFormChannelX {    \
        DECLARE_DYNCREATE(name)             \
      public:                               \
        name() : CAFormChannelX(channel) {} \
    };
KQ_CHANNEL_FORM(CAFormChannelA, 0)
KQ_CHANNEL_FORM(CAFormChannelB, 1)
KQ_CHANNEL_FORM(CAFormChannelC, 2)
KQ_CHANNEL_FORM(CAFormChannelD, 3)
KQ_CHANNEL_FORM(CAFormChannelP1, 4)
KQ_CHANNEL_FORM(CAFormChannelP2, 5)
#undef KQ_CHANNEL_FORM
