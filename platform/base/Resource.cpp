#include "platform/base/Resource.h"

namespace kq {

bool LoadStringResource(UINT, std::string& text) {
    text.clear();
    return false;
}

}  // namespace kq
