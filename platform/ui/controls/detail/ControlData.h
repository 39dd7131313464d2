// The state of a control window lives behind a pointer in the first extra bytes of the window.
// Handlers hold a shared_ptr to it while they run, so a control destroyed by the parent while
// handling one of its notifications leaves the handler's state intact; the handler checks
// IsWindow before it touches the window again.
#pragma once

#include <memory>

#include "platform/ui/WindowData.h"

namespace kq::ui::detail {

constexpr int kControlExtraBytes = static_cast<int>(sizeof(void*));

template <class T>
std::shared_ptr<T> ControlOf(HWND hwnd) {
    auto* holder = reinterpret_cast<std::shared_ptr<T>*>(GetWindowLongPtr(hwnd, 0));
    return holder ? *holder : nullptr;
}

template <class T>
std::shared_ptr<T> AttachControl(HWND hwnd, std::shared_ptr<T> state) {
    auto* holder = new std::shared_ptr<T>(state);
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(holder));
    return state;
}

template <class T>
void DetachControl(HWND hwnd) {
    auto* holder = reinterpret_cast<std::shared_ptr<T>*>(GetWindowLongPtr(hwnd, 0));
    SetWindowLongPtr(hwnd, 0, 0);
    delete holder;
}

}  // namespace kq::ui::detail
