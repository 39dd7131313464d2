#include "platform/ui/ProgramIcon.h"

#include <mutex>

#include "platform/gfx/ImageLoad.h"

namespace kq::ui {
namespace {

constexpr int kSizes[] = {16, 32, 48};

std::mutex& IconMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<HICON>& Icons() {
    static std::vector<HICON> icons;
    return icons;
}

}  // namespace

void SetProgramIcon(HINSTANCE module, LPCSTR name) {
    std::lock_guard lock(IconMutex());
    if (!Icons().empty())
        return;
    std::vector<HICON> icons;
    for (int size : kSizes) {
        auto icon = static_cast<HICON>(LoadImage(module, name, IMAGE_ICON, size, size, LR_SHARED));
        if (!icon)
            return;
        icons.push_back(icon);
    }
    Icons() = std::move(icons);
}

std::vector<HICON> ProgramIcons() {
    std::lock_guard lock(IconMutex());
    return Icons();
}

}  // namespace kq::ui
