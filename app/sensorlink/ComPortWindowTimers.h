// The dialogue's timers on the window system: one-shot timers are window timers of the owner
// frame (its WM_TIMER handler runs the step), and the periodic tick is a high-resolution timer
// whose callback runs on the GUI thread from its event loop.
#pragma once

#include <functional>

#include "platform/ui/UiTypes.h"
#include "sensor/ComPortInterfaces.h"

class CComPortWindowTimers final : public IComPortTimers {
  public:
    explicit CComPortWindowTimers(HWND owner) : m_hOwner(owner) {}
    ~CComPortWindowTimers() override;
    CComPortWindowTimers(const CComPortWindowTimers&) = delete;
    CComPortWindowTimers& operator=(const CComPortWindowTimers&) = delete;

    void SetOwner(HWND owner) { m_hOwner = owner; }
    void ArmFrameTimer(UINT id, UINT ms) override;
    void KillFrameTimer(UINT id) override;
    bool StartTick(UINT ms, UINT slackMs, std::function<void()> tick) override;
    void StopTick() override;

  private:
    static void TickCallback(UINT timerId, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    HWND m_hOwner;
    UINT m_uTickTimer = 0;
    std::function<void()> m_tick;
};
