// CCmdTarget: the root of every class that handles messages and commands through a message map.
// OnCmdMsg looks a command, an update request or a notification up in the class's map chain and
// calls the handler; frames, views and documents override it to route commands onward.
#pragma once

#include "platform/base/Object.h"
#include "platform/framework/MessageMap.h"

struct AFX_MSGMAP_ENTRY;

// What OnCmdMsg reports when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
  public:
    CCmdTarget() = default;

    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI*), a control notification
    // code, or MAKELONG(notification, WM_NOTIFY) (pExtra is the AFX_NOTIFY*). With pHandlerInfo
    // the handler is only looked up: TRUE when one exists, and where.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The application's wait cursor (counted: as many ends as begins).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

  protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CWnd;
};

namespace kq::fw {

// The first entry of the map chain for a window message (ON_REGISTERED_MESSAGE entries match
// the value their variable holds); null when none.
const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message);
// The first entry for a command-like request: nMessage WM_COMMAND, WM_NOTIFY or their reflected
// forms, the 16-bit code (or CN_UPDATE_COMMAND_UI) and an id within the entry's range.
const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode,
                                         UINT nID);

}  // namespace kq::fw

#include "platform/framework/CommandThunks.h"
