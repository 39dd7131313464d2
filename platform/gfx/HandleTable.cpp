#include "platform/gfx/HandleTable.h"

#include <cstdint>

namespace kq::gfx {

namespace {

// Layout of a handle value: bits 0..3 kind, 4..21 slot index + 1, 22..30 generation.
constexpr uint32_t kKindBits = 4;
constexpr uint32_t kIndexBits = 18;
constexpr uint32_t kGenerationBits = 9;
constexpr uint32_t kMaxSlots = (1u << kIndexBits) - 1;
constexpr size_t kReuseDelay = 4096;

}  // namespace

HandleTable& HandleTable::Instance() {
    static HandleTable* table = new HandleTable();  // lives for the whole process
    return *table;
}

bool HandleTable::Decode(const void* handle, uint32_t& index, uint32_t& generation,
                         ObjectKind& kind) const {
    const uintptr_t v = reinterpret_cast<uintptr_t>(handle);
    if (v == 0 || v > 0x7FFFFFFFu)
        return false;
    kind = static_cast<ObjectKind>(v & ((1u << kKindBits) - 1));
    const uint32_t slot = static_cast<uint32_t>((v >> kKindBits) & ((1u << kIndexBits) - 1));
    if (slot == 0)
        return false;
    index = slot - 1;
    generation = static_cast<uint32_t>(v >> (kKindBits + kIndexBits));
    return true;
}

void* HandleTable::Add(std::shared_ptr<GdiObject> object) {
    if (!object)
        return nullptr;
    const ObjectKind kind = object->Kind();
    std::lock_guard<std::mutex> lock(mutex_);
    uint32_t index;
    // Freed slots wait in a queue of a few thousand before reuse, so that a stale handle meets
    // its slot again only after millions of allocations.
    const size_t waiting = free_.size() - freeHead_;
    if (waiting > kReuseDelay || (waiting > 0 && slots_.size() >= kMaxSlots)) {
        index = free_[freeHead_++];
        if (freeHead_ > 1024 && freeHead_ * 2 > free_.size()) {
            free_.erase(free_.begin(), free_.begin() + static_cast<ptrdiff_t>(freeHead_));
            freeHead_ = 0;
        }
    } else {
        if (slots_.size() >= kMaxSlots)
            return nullptr;
        index = static_cast<uint32_t>(slots_.size());
        slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    const uintptr_t v = static_cast<uintptr_t>(kind) |
                        (static_cast<uintptr_t>(index + 1) << kKindBits) |
                        (static_cast<uintptr_t>(slot.generation) << (kKindBits + kIndexBits));
    return reinterpret_cast<void*>(v);
}

std::shared_ptr<GdiObject> HandleTable::Get(const void* handle, ObjectKind kind) const {
    uint32_t index, generation;
    ObjectKind tag;
    if (!Decode(handle, index, generation, tag))
        return nullptr;
    if (kind != ObjectKind::None && tag != kind)
        return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= slots_.size())
        return nullptr;
    const Slot& slot = slots_[index];
    if (!slot.object || slot.generation != generation || slot.object->Kind() != tag)
        return nullptr;
    return slot.object;
}

ObjectKind HandleTable::KindOf(const void* handle) const {
    auto obj = Get(handle);
    return obj ? obj->Kind() : ObjectKind::None;
}

std::shared_ptr<GdiObject> HandleTable::Remove(const void* handle) {
    uint32_t index, generation;
    ObjectKind tag;
    if (!Decode(handle, index, generation, tag))
        return nullptr;
    std::shared_ptr<GdiObject> removed;
    std::vector<RemovalListener> listeners;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (index >= slots_.size())
            return nullptr;
        Slot& slot = slots_[index];
        if (!slot.object || slot.generation != generation || slot.object->Kind() != tag)
            return nullptr;
        removed = std::move(slot.object);
        slot.object.reset();
        slot.generation = (slot.generation + 1) & ((1u << kGenerationBits) - 1);
        if (slot.generation == 0)
            slot.generation = 1;
        free_.push_back(index);
        listeners = listeners_;
    }
    for (RemovalListener l : listeners)
        l(handle);
    return removed;
}

size_t HandleTable::LiveCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slots_.size() - (free_.size() - freeHead_);
}

void HandleTable::AddRemovalListener(RemovalListener listener) {
    std::lock_guard<std::mutex> lock(mutex_);
    listeners_.push_back(listener);
}

}  // namespace kq::gfx
