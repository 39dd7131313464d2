// The wrapper objects of GDI handles: a permanent wrapper per handle (the object that attached
// it) and, for handles nobody attached, a temporary one made on first use. When the handle
// table deletes a handle its wrappers are forgotten and a temporary one is emptied with
// `clear`, so a wrapper never outlives its handle with a stale value.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/gfx/HandleTable.h"

namespace kq::gfx {

template <typename T, void (*clear)(T&)>
class HandleWrapperMap {
  public:
    // The map of the process, listening to the handle table from its first use.
    static HandleWrapperMap& Instance() {
        static HandleWrapperMap* map = [] {
            auto* m = new HandleWrapperMap();  // lives for the whole process
            HandleTable::Instance().AddRemovalListener(&Forget);
            return m;
        }();
        return *map;
    }

    void Attach(const void* handle, T* wrapper) {
        std::lock_guard<std::mutex> lock(mutex_);
        permanent_[handle] = wrapper;
    }
    // Forgets the permanent wrapper, if it is this one.
    void Detach(const void* handle, const T* wrapper) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = permanent_.find(handle);
        if (it != permanent_.end() && it->second == wrapper)
            permanent_.erase(it);
    }
    // The permanent wrapper, else the temporary one, made by `make` when there is none.
    template <typename Make>
    T* Find(const void* handle, Make make) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (auto it = permanent_.find(handle); it != permanent_.end())
            return it->second;
        auto& slot = temporary_[handle];
        if (!slot)
            slot.reset(make());
        return slot.get();
    }

  private:
    HandleWrapperMap() = default;

    static void Forget(const void* handle) {
        std::unique_ptr<T> temp;
        {
            HandleWrapperMap& m = Instance();
            std::lock_guard<std::mutex> lock(m.mutex_);
            m.permanent_.erase(handle);
            auto it = m.temporary_.find(handle);
            if (it != m.temporary_.end()) {
                temp = std::move(it->second);
                m.temporary_.erase(it);
            }
        }
        if (temp)
            clear(*temp);  // the handle is gone already: the wrapper must not delete it
    }

    std::mutex mutex_;
    std::unordered_map<const void*, T*> permanent_;
    std::unordered_map<const void*, std::unique_ptr<T>> temporary_;
};

}  // namespace kq::gfx
