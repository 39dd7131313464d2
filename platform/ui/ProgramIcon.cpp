#include "platform/ui/ProgramIcon.h"

#include <atomic>

namespace kq::ui {
namespace {

std::atomic<HICON> programIcon{nullptr};

}  // namespace

void SetProgramIcon(HICON icon) {
    HICON none = nullptr;
    programIcon.compare_exchange_strong(none, icon);
}

HICON ProgramIcon() {
    return programIcon.load();
}

}  // namespace kq::ui
