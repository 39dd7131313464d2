// The digital channel views (form 132): one per channel A, B, C, D, P1 and P2, each in its own
// view bar. Each registers with the main frame once, on its first initial update, with the code
// of its channel.
#pragma once

#include "platform/framework/Framework.h"

class CAFormChannelX : public CFormView {
    DECLARE_DYNAMIC(CAFormChannelX)
  public:
    enum { IDD = 132 };
    explicit CAFormChannelX(int channel);

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The texts of the tare and the two reset buttons.
    void SetButtonTexts(const CString& tare, const CString& minimum, const CString& maximum) {
        m_strTare = tare;
        m_strMinimum = minimum;
        m_strMaximum = maximum;
    }
    // A setting that invalidates the tare switches it on again.
    void SwitchTaraOn() { m_iTareState = 0; }
    int GetChannel() const { return m_iChannel; }

    int m_iTareState = 0;  // 0 the button tares, 1 it clears the tare
    CString m_strTare, m_strMinimum, m_strMaximum;

  protected:
    int m_iChannel;
    BOOL m_bRegistered = FALSE;
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
