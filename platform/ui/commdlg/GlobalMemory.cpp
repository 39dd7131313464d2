#include "platform/ui/commdlg/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Blocks {
    std::mutex mutex;
    std::unordered_map<void*, size_t> sizes;
};

// Never destroyed: the application object is a static of its own that frees its printer blocks
// when it is destroyed, after any static built later (this one included) is gone.
Blocks& Live() {
    static Blocks* const blocks = new Blocks;
    return *blocks;
}

constexpr size_t kMaxBlock = size_t{1} << 30;

}  // namespace

HGLOBAL GlobalAlloc(UINT, size_t bytes) {
    if (bytes > kMaxBlock)
        return nullptr;
    void* memory = std::calloc(1, bytes ? bytes : 1);
    if (!memory)
        return nullptr;
    std::lock_guard lock(Live().mutex);
    Live().sizes[memory] = bytes;
    return memory;
}

HGLOBAL GlobalReAlloc(HGLOBAL block, size_t bytes, UINT) {
    if (bytes > kMaxBlock)
        return nullptr;
    std::lock_guard lock(Live().mutex);
    auto it = Live().sizes.find(block);
    if (it == Live().sizes.end())
        return nullptr;
    void* memory = std::realloc(block, bytes ? bytes : 1);
    if (!memory)
        return nullptr;
    const size_t old = it->second;
    Live().sizes.erase(it);
    if (bytes > old)
        std::memset(static_cast<char*>(memory) + old, 0, bytes - old);
    Live().sizes[memory] = bytes;
    return memory;
}

LPVOID GlobalLock(HGLOBAL block) {
    std::lock_guard lock(Live().mutex);
    return Live().sizes.count(block) ? block : nullptr;
}

BOOL GlobalUnlock(HGLOBAL block) {
    std::lock_guard lock(Live().mutex);
    return Live().sizes.count(block) ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL block) {
    std::lock_guard lock(Live().mutex);
    auto it = Live().sizes.find(block);
    return it == Live().sizes.end() ? 0 : it->second;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    {
        std::lock_guard lock(Live().mutex);
        if (!Live().sizes.erase(block))
            return block;
    }
    std::free(block);
    return nullptr;
}
