#include "platform/base/Event.h"

#include "platform/base/KernelObject.h"

namespace {

class EventObject final : public kq::KernelObject {
  public:
    EventObject(bool manualReset, bool signalled)
        : manualReset_(manualReset), signalled_(signalled) {}

    bool TryReserve(DWORD) override { return signalled_; }
    bool Take(DWORD) override {
        if (!manualReset_)
            signalled_ = false;
        return false;
    }
    void Set(bool signalled) {
        signalled_ = signalled;
        if (signalled)
            kq::NotifyKernelChange();
    }

  private:
    const bool manualReset_;
    bool signalled_;
};

BOOL SetEventState(HANDLE event, bool signalled) {
    auto object = kq::LookupHandleAs<EventObject>(event);
    if (!object)
        return FALSE;
    std::lock_guard lock(kq::KernelLock());
    object->Set(signalled);
    return TRUE;
}

}  // namespace

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCTSTR) {
    return kq::InsertHandle(std::make_shared<EventObject>(manualReset, initialState));
}

BOOL SetEvent(HANDLE event) {
    return SetEventState(event, true);
}

BOOL ResetEvent(HANDLE event) {
    return SetEventState(event, false);
}
