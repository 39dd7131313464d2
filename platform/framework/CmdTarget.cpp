#include "platform/framework/CmdTarget.h"

#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        const UINT packed = static_cast<UINT>(nCode);
        if (HIWORD(packed) != 0)
            message = HIWORD(packed);
        code = LOWORD(packed);
    }
    const AFX_MSGMAP_ENTRY* entry = kq::fw::FindCommandEntry(GetMessageMap(), message, code, nID);
    if (entry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    kq::fw::HandlerCall call;
    call.message = message;
    call.nID = nID;
    call.pExtra = pExtra;
    return entry->pfn(this, call);
}

void CCmdTarget::BeginWaitCursor() {
    kq::fw::DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
    kq::fw::DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
    kq::fw::DoWaitCursor(0);
}

namespace kq::fw {

const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == kRegisteredMessageEntry) {
                if (e->pnRegistered != nullptr && *e->pnRegistered != 0 &&
                    *e->pnRegistered == message)
                    return e;
            } else if (e->nMessage == message && e->nCode == 0 && e->nID == 0 && e->nLastID == 0) {
                return e;
            }
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode,
                                         UINT nID) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

}  // namespace kq::fw
