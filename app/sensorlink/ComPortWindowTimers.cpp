#include "app/sensorlink/ComPortWindowTimers.h"

#include "platform/ui/MultimediaTimer.h"
#include "platform/ui/Timers.h"

CComPortWindowTimers::~CComPortWindowTimers() {
    StopTick();
}

void CComPortWindowTimers::ArmFrameTimer(UINT id, UINT ms) {
    if (m_hOwner) {
        ::SetTimer(m_hOwner, id, ms, nullptr);
    }
}

void CComPortWindowTimers::KillFrameTimer(UINT id) {
    if (m_hOwner) {
        ::KillTimer(m_hOwner, id);
    }
}

bool CComPortWindowTimers::StartTick(UINT ms, UINT slackMs, std::function<void()> tick) {
    StopTick();
    m_tick = std::move(tick);
    m_uTickTimer =
        timeSetEvent(ms, slackMs, &CComPortWindowTimers::TickCallback,
                     reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    return m_uTickTimer != 0;
}

void CComPortWindowTimers::StopTick() {
    if (m_uTickTimer != 0) {
        timeKillEvent(m_uTickTimer);
        m_uTickTimer = 0;
    }
    m_tick = nullptr;
}

void CComPortWindowTimers::TickCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* self = reinterpret_cast<CComPortWindowTimers*>(user);
    if (self->m_uTickTimer == timerId && self->m_tick) {
        // The tick may stop or restart the timer: it runs on a copy.
        const std::function<void()> tick = self->m_tick;
        tick();
    }
}
