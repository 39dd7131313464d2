// The main frame's table of the windows that register with it: one named slot per window. The
// awaited slots complete the start-up when the last of them is filled; each is filled once. The
// dialogs made anew for every run (the adjustment steps and the save notice) take the latest
// registration and are cleared when they go.
#pragma once

#include <array>
#include <optional>

#include "platform/base/WinTypes.h"

class CCmdTarget;

enum class WindowSlot : int {
    Application,
    View,
    ChannelA,
    ChannelB,
    ChannelC,
    ChannelD,
    ChannelP1,
    ChannelP2,
    Diagram,
    LogoPage,
    ConnectionPage,
    InformationPage,
    MeasureAdjustPage,
    DocumentationPage,
    CalibrationPage,
    MeasureDiagramPage,
    DiagnosticPage,
    CalibDoCalib,
    SaveMwMessage,
    CalibZero,
    CalibEnd,
    CalibWrongScale,
    CalibDelete,
    StartUp,
    Light,
    Count
};

class CWindowTable {
  public:
    static constexpr size_t kSlots = static_cast<size_t>(WindowSlot::Count);

    // The slot of a registration message; 1229 serves the confirmation step dialog and the save
    // notice, told apart by the registering object. Nothing for codes that are not registrations.
    static std::optional<WindowSlot> SlotOfCode(UINT code, bool isSaveNotice);
    static bool IsAwaited(WindowSlot slot);
    static bool IsPerRun(WindowSlot slot);

    CCmdTarget* Get(WindowSlot slot) const { return m_slots[Index(slot)]; }
    // Files the window: an awaited or fixed slot only when empty, a per-run slot always.
    // Whether the slot now holds it.
    bool Fill(WindowSlot slot, CCmdTarget* window);
    // Empties the per-run slots that hold the window.
    void Clear(const CCmdTarget* window);
    bool AllAwaitedFilled() const;

  private:
    static size_t Index(WindowSlot slot) { return static_cast<size_t>(slot); }
    std::array<CCmdTarget*, kSlots> m_slots{};
};
static_assert(CWindowTable::kSlots == 25, "one slot per registering window");
