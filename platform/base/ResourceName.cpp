#include "platform/base/ResourceName.h"

namespace kq {

ResourceName::ResourceName(LPCSTR text) {
    if (IS_INTRESOURCE(text)) {
        id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
    } else {
        name = text;
    }
}

}  // namespace kq
