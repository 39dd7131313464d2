// Message-map entries for commands, update handlers, control notifications (WM_COMMAND) and
// WM_NOTIFY, with the handler calls behind them. Included by CmdTarget.h.
#pragma once

#include <type_traits>

#include "platform/framework/AfxRes.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/MessageMap.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiTypes.h"

// What OnCmdMsg receives as pExtra for a WM_NOTIFY notification.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

namespace kq::fw {

template <class F>
struct MemberFunction {};
template <class C, class R, class... A>
struct MemberFunction<R (C::*)(A...)> {
    using Class = C;
    using Signature = R(A...);
};

template <auto Fn>
using HandlerClass = typename MemberFunction<decltype(Fn)>::Class;
template <auto Fn, class Sig>
inline constexpr bool kHandlerIs =
    std::is_same_v<typename MemberFunction<decltype(Fn)>::Signature, Sig>;

template <auto Fn>
HandlerClass<Fn>* HandlerObject(CCmdTarget* target) {
    return static_cast<HandlerClass<Fn>*>(target);
}

namespace thunk {

template <auto Fn>
BOOL Command(CCmdTarget* t, HandlerCall&) {
    static_assert(kHandlerIs<Fn, void()>, "a command or control handler is void ()");
    (HandlerObject<Fn>(t)->*Fn)();
    return TRUE;
}

template <auto Fn>
BOOL CommandRange(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, void(UINT)>, "a command range handler is void (UINT nID)");
    (HandlerObject<Fn>(t)->*Fn)(c.nID);
    return TRUE;
}

template <auto Fn>
BOOL CommandEx(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, BOOL(UINT)>, "an _EX command handler is BOOL (UINT nID)");
    return (HandlerObject<Fn>(t)->*Fn)(c.nID);
}

template <auto Fn>
BOOL ControlReflectEx(CCmdTarget* t, HandlerCall&) {
    static_assert(kHandlerIs<Fn, BOOL()>, "a reflected _EX control handler is BOOL ()");
    return (HandlerObject<Fn>(t)->*Fn)();
}

template <auto Fn>
BOOL UpdateUI(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, void(CCmdUI*)>, "an update handler is void (CCmdUI*)");
    auto* cmdUI = static_cast<CCmdUI*>(c.pExtra);
    cmdUI->m_bContinueRouting = FALSE;
    (HandlerObject<Fn>(t)->*Fn)(cmdUI);
    return !cmdUI->m_bContinueRouting;
}

template <auto Fn>
BOOL Notify(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, void(NMHDR*, LRESULT*)>,
                  "a notification handler is void (NMHDR*, LRESULT*)");
    auto* notify = static_cast<AFX_NOTIFY*>(c.pExtra);
    (HandlerObject<Fn>(t)->*Fn)(notify->pNMHDR, notify->pResult);
    return TRUE;
}

template <auto Fn>
BOOL NotifyRange(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, void(UINT, NMHDR*, LRESULT*)>,
                  "a notification range handler is void (UINT nID, NMHDR*, LRESULT*)");
    auto* notify = static_cast<AFX_NOTIFY*>(c.pExtra);
    (HandlerObject<Fn>(t)->*Fn)(c.nID, notify->pNMHDR, notify->pResult);
    return TRUE;
}

template <auto Fn>
BOOL NotifyEx(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, BOOL(UINT, NMHDR*, LRESULT*)>,
                  "an _EX notification handler is BOOL (UINT nID, NMHDR*, LRESULT*)");
    auto* notify = static_cast<AFX_NOTIFY*>(c.pExtra);
    return (HandlerObject<Fn>(t)->*Fn)(c.nID, notify->pNMHDR, notify->pResult);
}

template <auto Fn>
BOOL NotifyReflectEx(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, BOOL(NMHDR*, LRESULT*)>,
                  "a reflected _EX notification handler is BOOL (NMHDR*, LRESULT*)");
    auto* notify = static_cast<AFX_NOTIFY*>(c.pExtra);
    return (HandlerObject<Fn>(t)->*Fn)(notify->pNMHDR, notify->pResult);
}

template <auto Fn>
BOOL Message(CCmdTarget* t, HandlerCall& c) {
    static_assert(kHandlerIs<Fn, LRESULT(WPARAM, LPARAM)>,
                  "a message handler is LRESULT (WPARAM, LPARAM)");
    c.result = (HandlerObject<Fn>(t)->*Fn)(c.wParam, c.lParam);
    return TRUE;
}

}  // namespace thunk

constexpr UINT Word(long long value) {
    return static_cast<UINT>(static_cast<WORD>(value));
}

}  // namespace kq::fw

#define KQ_MSG_ENTRY(message, code, id, lastId, registered, thunk) \
    {static_cast<UINT>(message),                                   \
     static_cast<UINT>(code),                                      \
     kq::fw::Word(id),                                             \
     kq::fw::Word(lastId),                                         \
     registered,                                                   \
     thunk},

#define ON_COMMAND(id, memberFxn) \
    KQ_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, &kq::fw::thunk::Command<memberFxn>)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)               \
    KQ_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, \
                 &kq::fw::thunk::CommandRange<memberFxn>)
#define ON_COMMAND_EX(id, memberFxn) \
    KQ_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, &kq::fw::thunk::CommandEx<memberFxn>)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    KQ_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, &kq::fw::thunk::CommandEx<memberFxn>)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                         \
    KQ_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, \
                 &kq::fw::thunk::UpdateUI<memberFxn>)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)               \
    KQ_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr, \
                 &kq::fw::thunk::UpdateUI<memberFxn>)
// An update handler of a control for itself (UpdateDialogControls asks it first).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                       \
    KQ_MSG_ENTRY(WM_COMMAND + WM_REFLECT_BASE, 0xFFFF, 0, 0, nullptr, \
                 &kq::fw::thunk::UpdateUI<memberFxn>)

#define ON_CONTROL(code, id, memberFxn)                           \
    KQ_MSG_ENTRY(WM_COMMAND, kq::fw::Word(code), id, id, nullptr, \
                 &kq::fw::thunk::Command<memberFxn>)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                 \
    KQ_MSG_ENTRY(WM_COMMAND, kq::fw::Word(code), id, idLast, nullptr, \
                 &kq::fw::thunk::CommandRange<memberFxn>)
#define ON_CONTROL_REFLECT(code, memberFxn)                                       \
    KQ_MSG_ENTRY(WM_COMMAND + WM_REFLECT_BASE, kq::fw::Word(code), 0, 0, nullptr, \
                 &kq::fw::thunk::Command<memberFxn>)
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                    \
    KQ_MSG_ENTRY(WM_COMMAND + WM_REFLECT_BASE, kq::fw::Word(code), 0, 0, nullptr, \
                 &kq::fw::thunk::ControlReflectEx<memberFxn>)

#define ON_NOTIFY(code, id, memberFxn) \
    KQ_MSG_ENTRY(WM_NOTIFY, kq::fw::Word(code), id, id, nullptr, &kq::fw::thunk::Notify<memberFxn>)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                 \
    KQ_MSG_ENTRY(WM_NOTIFY, kq::fw::Word(code), id, idLast, nullptr, \
                 &kq::fw::thunk::NotifyRange<memberFxn>)
#define ON_NOTIFY_EX(code, id, memberFxn)                        \
    KQ_MSG_ENTRY(WM_NOTIFY, kq::fw::Word(code), id, id, nullptr, \
                 &kq::fw::thunk::NotifyEx<memberFxn>)
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)              \
    KQ_MSG_ENTRY(WM_NOTIFY, kq::fw::Word(code), id, idLast, nullptr, \
                 &kq::fw::thunk::NotifyEx<memberFxn>)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                       \
    KQ_MSG_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, kq::fw::Word(code), 0, 0, nullptr, \
                 &kq::fw::thunk::Notify<memberFxn>)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                    \
    KQ_MSG_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, kq::fw::Word(code), 0, 0, nullptr, \
                 &kq::fw::thunk::NotifyReflectEx<memberFxn>)

#define ON_MESSAGE(message, memberFxn) \
    KQ_MSG_ENTRY(message, 0, 0, 0, nullptr, &kq::fw::thunk::Message<memberFxn>)
// nMessageVariable: a UINT that holds the number RegisterWindowMessage returned.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                      \
    KQ_MSG_ENTRY(kq::fw::kRegisteredMessageEntry, 0, 0, 0, &(nMessageVariable), \
                 &kq::fw::thunk::Message<memberFxn>)

#include "platform/framework/ControlNotifyMacros.h"
