// Lookup of registered window classes (TreeMutex() held).
#pragma once

#include <memory>

#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {

std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom);
// Copies text into a buffer of `size` bytes, cutting at a UTF-8 character boundary and always
// terminating; returns the bytes copied without the terminator.
int CopyText(const std::string& text, LPSTR buffer, int size);

}  // namespace kq::ui::detail
