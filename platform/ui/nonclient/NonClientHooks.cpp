#include "platform/ui/nonclient/NonClientHooks.h"

#include <mutex>

namespace kq::ui {
namespace {

std::mutex& HookMutex() {
    static std::mutex m;
    return m;
}

NonClientHooks& Hooks() {
    static NonClientHooks hooks;
    return hooks;
}

}  // namespace

void SetNonClientHooks(const NonClientHooks& hooks) {
    std::lock_guard lock(HookMutex());
    Hooks() = hooks;
}

NonClientHooks GetNonClientHooks() {
    std::lock_guard lock(HookMutex());
    return Hooks();
}

}  // namespace kq::ui
