// What a page does with a digital channel view: formats a value with the channel's units, removes
// an active tare, and writes its fields or enables its buttons (the form's control ids). The
// channel views implement it; a page finds one through its host.
#pragma once

#include "platform/framework/Framework.h"

class IChannelViewControl {
  public:
    // Control ids of form 132.
    static constexpr UINT IDC_TARA = 1000;
    static constexpr UINT IDC_MIN_RESET = 1001;
    static constexpr UINT IDC_MAX_RESET = 1002;
    static constexpr UINT IDC_TARE_FIELD = 1003;
    static constexpr UINT IDC_MIN_FIELD = 1004;
    static constexpr UINT IDC_MAX_FIELD = 1005;
    static constexpr UINT IDC_VALUE_FIELD = 1006;

    // The formatter applied to the channel record that belongs to this view.
    virtual CString FormatChannelValue(const CString& text, char unitLetter, int mode,
                                       CString* numberText = nullptr, CString* unitText = nullptr,
                                       int* unitId = nullptr, int* unitIndex = nullptr,
                                       int* decimals = nullptr, double* factor = nullptr) = 0;
    // A setting that invalidates the tare removes an active one.
    virtual void SwitchTaraOn() = 0;
    // The view's window, whose fields and buttons carry the ids above.
    virtual CWnd& ViewWindow() = 0;

  protected:
    ~IChannelViewControl() = default;
};
