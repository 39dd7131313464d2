// The table behind every GDI handle. A handle is an index with a generation count and a kind
// tag, all within 32 bits (handles are kept in 32-bit fields by code written for Windows); a
// deleted or foreign handle is recognised and refused, never followed.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/gfx/GdiObjects.h"

namespace kq::gfx {

class HandleTable {
  public:
    static HandleTable& Instance();

    void* Add(std::shared_ptr<GdiObject> object);
    // The object of a live handle of the given kind (ObjectKind::None: any kind), else null.
    std::shared_ptr<GdiObject> Get(const void* handle, ObjectKind kind = ObjectKind::None) const;
    ObjectKind KindOf(const void* handle) const;
    // Removes a live handle; the object lives on while others hold it.
    std::shared_ptr<GdiObject> Remove(const void* handle);
    size_t LiveCount() const;

    // Called (outside the table's lock) with every handle that is removed, so that wrappers
    // kept per handle can be dropped.
    using RemovalListener = void (*)(const void* handle);
    void AddRemovalListener(RemovalListener listener);

  private:
    struct Slot {
        std::shared_ptr<GdiObject> object;
        uint32_t generation = 1;
    };
    bool Decode(const void* handle, uint32_t& index, uint32_t& generation, ObjectKind& kind) const;

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;  // used as a queue: the oldest freed slot is reused first
    size_t freeHead_ = 0;
    std::vector<RemovalListener> listeners_;
};

template <typename T>
std::shared_ptr<T> LookupObject(const void* handle) {
    return std::static_pointer_cast<T>(HandleTable::Instance().Get(handle, T::kKind));
}

template <typename H>
H AddObject(std::shared_ptr<GdiObject> object) {
    return static_cast<H>(HandleTable::Instance().Add(std::move(object)));
}

}  // namespace kq::gfx
