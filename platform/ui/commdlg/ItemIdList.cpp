// Item identifier lists stand for file-system paths: one malloc'd block holding a marker, the
// path's length and the path, so that any of the shell's ways of freeing them works.
#include <cstdlib>
#include <cstring>

#include "platform/ui/commdlg/CommDlg.h"

namespace {

constexpr uint32_t kMarker = 0x4C444950;  // "PIDL"

struct Header {
    uint32_t marker;
    uint32_t length;
};

const Header* HeaderOf(LPCITEMIDLIST pidl) {
    const auto* header = reinterpret_cast<const Header*>(pidl);
    return header && header->marker == kMarker ? header : nullptr;
}

class ShellAllocator final : public IMalloc {
  public:
    void* Alloc(size_t size) override { return std::malloc(size ? size : 1); }
    void* Realloc(void* block, size_t size) override {
        return std::realloc(block, size ? size : 1);
    }
    void Free(void* block) override { std::free(block); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
};

}  // namespace

LPITEMIDLIST ILCreateFromPath(LPCSTR path) {
    if (!path)
        return nullptr;
    const size_t length = std::strlen(path);
    auto* block = static_cast<char*>(std::malloc(sizeof(Header) + length + 1));
    if (!block)
        return nullptr;
    const Header header{kMarker, static_cast<uint32_t>(length)};
    std::memcpy(block, &header, sizeof header);
    std::memcpy(block + sizeof header, path, length + 1);
    return reinterpret_cast<LPITEMIDLIST>(block);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR path) {
    const Header* header = HeaderOf(pidl);
    if (!header || !path)
        return FALSE;
    if (header->length >= static_cast<uint32_t>(MAX_PATH)) {
        path[0] = '\0';
        return FALSE;
    }
    std::memcpy(path, reinterpret_cast<const char*>(header + 1), header->length + 1);
    return TRUE;
}

void ILFree(LPITEMIDLIST pidl) {
    std::free(pidl);
}

void CoTaskMemFree(void* block) {
    std::free(block);
}

HRESULT SHGetMalloc(LPMALLOC* malloc) {
    static ShellAllocator allocator;
    if (!malloc)
        return E_FAIL;
    *malloc = &allocator;
    return S_OK;
}

HRESULT OleInitialize(LPVOID) {
    return S_OK;
}
