#include "platform/base/ResourceName.h"

namespace kq {

ResourceName ResourceName::FromPointer(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return ResourceName(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return ResourceName(name);
}

}  // namespace kq
