// The handle maps: permanent objects attached to windows, temporary ones made on demand.
#include "platform/framework/Controls.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/WndThreadState.h"

using kq::fw::detail::ThreadState;
using kq::fw::detail::ThreadStateIfAlive;

namespace {

// A temporary object of class T for the window: the permanent object when it is a T, else an
// existing temporary T, else a new temporary T. A temporary of another class is kept until the
// maps are cleaned, since callers may still hold it.
template <class T>
T* TemporaryOf(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    auto& state = ThreadState();
    auto perm = state.permanent.find(hWnd);
    if (perm != state.permanent.end() && perm->second->IsKindOf(T::GetThisClass()))
        return static_cast<T*>(perm->second);
    auto temp = state.temporary.find(hWnd);
    if (temp != state.temporary.end()) {
        if (temp->second->IsKindOf(T::GetThisClass()))
            return static_cast<T*>(temp->second.get());
        state.replacedTemporaries.push_back(std::move(temp->second));
        state.temporary.erase(temp);
    }
    auto made = std::make_unique<T>();
    made->m_hWnd = hWnd;
    T* result = made.get();
    state.temporary.emplace(hWnd, std::move(made));
    return result;
}

}  // namespace

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* perm = FromHandlePermanent(hWnd))
        return perm;
    return TemporaryOf<CWnd>(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto* state = ThreadStateIfAlive();
    if (hWnd == nullptr || state == nullptr)
        return nullptr;
    auto it = state->permanent.find(hWnd);
    return it != state->permanent.end() ? it->second : nullptr;
}

void CWnd::DeleteTempMap() {
    if (auto* state = ThreadStateIfAlive())
        state->DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    auto& state = ThreadState();
    // A window has one permanent object; a second one would receive nothing.
    if (state.permanent.count(hWndNew) != 0)
        return FALSE;
    state.permanent.emplace(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        if (auto* state = ThreadStateIfAlive()) {
            auto it = state->permanent.find(hWnd);
            if (it != state->permanent.end() && it->second == this)
                state->permanent.erase(it);
        }
    }
    m_hWnd = nullptr;
    return hWnd;
}

void AfxLockTempMaps() {
    ++ThreadState().tempMapLocks;
}

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps) {
    auto& state = ThreadState();
    if (state.tempMapLocks > 0 && --state.tempMapLocks == 0) {
        if (bDeleteTemps)
            state.DeleteTemporaries();
        return TRUE;
    }
    return FALSE;
}

namespace kq::fw {

CScrollBar* ScrollBarFromHandle(HWND hWnd) {
    return TemporaryOf<CScrollBar>(hWnd);
}

}  // namespace kq::fw
