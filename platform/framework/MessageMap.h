// Static message maps: each class that handles messages lists them in a table that names the
// message, command or notification and the member function that handles it. Tables chain to the
// table of the base class, so a search walks from the most derived class to CCmdTarget.
//
//     // in the class:      DECLARE_MESSAGE_MAP()
//     // in the source:
//     BEGIN_MESSAGE_MAP(CMyView, CView)
//         ON_WM_SIZE()
//         ON_COMMAND(ID_FILE_PRINT, &CMyView::OnFilePrint)
//         ON_BN_CLICKED(IDC_START, &CMyView::OnStart)
//         ON_MESSAGE(WM_USER + 5, &CMyView::OnPortData)
//     END_MESSAGE_MAP()
//
// Handlers are named as pointers to members (&Class::Member). Every entry checks the handler's
// signature at compile time, so a handler with the wrong parameters does not build.
#pragma once

#include "platform/base/WinTypes.h"

class CCmdTarget;

namespace kq::fw {

// One handler call as the dispatch code prepares it; the handler's result goes back in `result`.
struct HandlerCall {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;            // command or control id
    void* pExtra = nullptr;  // CCmdUI* for update handlers, AFX_NOTIFY* for notifications
    LRESULT result = 0;
};

// Calls the handler of one entry; returns whether the message counts as handled (the handler's
// own answer for the _EX kinds, TRUE otherwise).
using HandlerThunk = BOOL (*)(CCmdTarget* target, HandlerCall& call);

// The message number that marks ON_REGISTERED_MESSAGE entries.
constexpr UINT kRegisteredMessageEntry = 0xC000;

}  // namespace kq::fw

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message, WM_COMMAND, WM_NOTIFY or a reflected message; 0 ends a map
    UINT nCode;     // control notification or CN_ code (16 bits), 0 for window messages
    UINT nID;       // first control or command id
    UINT nLastID;   // last id of a range (nID for a single id)
    const UINT* pnRegistered;  // ON_REGISTERED_MESSAGE: the variable that holds the message
    kq::fw::HandlerThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                         \
  protected:                                          \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override; \
                                                      \
  private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)           \
    const AFX_MSGMAP* theClass::GetMessageMap() const {  \
        return GetThisMessageMap();                      \
    }                                                    \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {    \
        using ThisClass [[maybe_unused]] = theClass;     \
        using TheBaseClass [[maybe_unused]] = baseClass; \
        static const AFX_MSGMAP_ENTRY kqMessageEntries[] = {
#define END_MESSAGE_MAP()                                                     \
    { 0, 0, 0, 0, nullptr, nullptr }                                          \
    }                                                                         \
    ;                                                                         \
    static const AFX_MSGMAP kqMessageMap = {&TheBaseClass::GetThisMessageMap, \
                                            &kqMessageEntries[0]};            \
    return &kqMessageMap;                                                     \
    }
