#include "app/WindowTable.h"

#include "foundation/SharedConstants.h"
#include "platform/ui/Messages.h"

std::optional<WindowSlot> CWindowTable::SlotOfCode(UINT code, bool isSaveNotice) {
    if (code >= WM_REGISTER_CHANNEL_VIEW_A && code < WM_REGISTER_CHANNEL_VIEW_A + 6)
        return static_cast<WindowSlot>(static_cast<int>(WindowSlot::ChannelA) +
                                       static_cast<int>(code - WM_REGISTER_CHANNEL_VIEW_A));
    if (code >= WM_USER && code <= WM_USER + 8)
        return static_cast<WindowSlot>(
            static_cast<int>(WindowSlot::View) +
            (code == WM_USER ? 0 : static_cast<int>(code - WM_USER) + 7));
    switch (code) {
        case WM_REGISTER_DIAGRAM_VIEW:
            return WindowSlot::Diagram;
        case WM_REGISTER_LIGHT_VIEW:
            return WindowSlot::Light;
        case WM_REGISTER_START_UP_WINDOW:
            return WindowSlot::StartUp;
        case 1229:
            return isSaveNotice ? WindowSlot::SaveMwMessage : WindowSlot::CalibDoCalib;
        case 1230:
            return WindowSlot::CalibZero;
        case 1231:
            return WindowSlot::CalibEnd;
        case 1232:
            return WindowSlot::CalibWrongScale;
        case 1233:
            return WindowSlot::CalibDelete;
        default:
            return std::nullopt;
    }
}

bool CWindowTable::IsAwaited(WindowSlot slot) {
    return (slot >= WindowSlot::Application && slot <= WindowSlot::DiagnosticPage) ||
           slot == WindowSlot::Light;
}

bool CWindowTable::IsPerRun(WindowSlot slot) {
    return slot >= WindowSlot::CalibDoCalib && slot <= WindowSlot::CalibDelete;
}

bool CWindowTable::Fill(WindowSlot slot, CCmdTarget* window) {
    CCmdTarget*& held = m_slots[Index(slot)];
    if (held != nullptr && !IsPerRun(slot))
        return held == window;
    held = window;
    return true;
}

void CWindowTable::Clear(const CCmdTarget* window) {
    for (size_t i = 0; i < kSlots; ++i) {
        if (IsPerRun(static_cast<WindowSlot>(i)) && m_slots[i] == window)
            m_slots[i] = nullptr;
    }
}

bool CWindowTable::AllAwaitedFilled() const {
    for (size_t i = 0; i < kSlots; ++i) {
        if (IsAwaited(static_cast<WindowSlot>(i)) && m_slots[i] == nullptr)
            return false;
    }
    return true;
}
