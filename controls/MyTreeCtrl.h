// The navigation tree of the main window: items stand for menu commands (item data = the
// string id of the item's German text). It paints items in their own colours, fonts and
// bold state, reports clicks and expansions to one callback, maps text ids to command ids,
// and while the mouse hovers an item asks the status owner to show that command's prompt.
#pragma once

#include <memory>

#include "platform/base/CMap.h"
#include "platform/base/CString.h"
#include "platform/framework/commctrl/TreeCtrl.h"

// Per-item display attributes; 0xFFFFFFFF keeps the control's colour, an empty face name its
// font.
struct Color_Font {
    COLORREF color = 0xFFFFFFFF;
    COLORREF bkcolor = 0xFFFFFFFF;
    LOGFONT logfont{};
};

class CMyTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CMyTreeCtrl)
  public:
    // Called with (context, tag, item text, item data); the tag is the item text for a click
    // and "TXT_ON_TVN_ITEMEXPANDED" for an expansion.
    using ClickCallback = void (*)(void* context, CString tag, CString text, DWORD_PTR data);

    static constexpr int kNoCommand = -3;
    static constexpr int kNoPrompt = -4;
    static constexpr int kLeftItems = -5;
    static constexpr int kGroupCommand = 10000;

    CMyTreeCtrl();
    ~CMyTreeCtrl() override;

    void SetClickCallback(ClickCallback callback, void* context);
    void SetItemBold(HTREEITEM hItem, bool bold);
    BOOL IsItemBold(HTREEITEM hItem) const;
    void SetItemTextColor(HTREEITEM hItem, COLORREF color);
    void SetItemBkColor(HTREEITEM hItem, COLORREF color);
    // False for ids without a command (-3, -4); with store the command becomes current.
    bool MapTextIdToCommand(unsigned textId, bool store);
    int GetCurrentCommandId() const { return m_nCurrentCommandId; }
    bool HasCommandForTextId(unsigned textId) { return MapTextIdToCommand(textId, false); }
    // The command of a text id (-3 none, -4 no prompt).
    static int CommandForTextId(unsigned textId);
    // The visible item whose text (or the 18 pixels of image left of it) holds the point.
    HTREEITEM HitTestItem(CPoint point) const;

    // Written by the owner: the window that gets the status prompts (null: no hover
    // handling) and the switch that lets expansions reach the callback (1 on).
    CWnd* m_pStatusOwner = nullptr;
    DWORD m_nExpandNotify = 1;

  protected:
    void OnPaint();
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);

    struct CallbackRecord {
        ClickCallback function = nullptr;
        void* context = nullptr;
    };
    std::unique_ptr<CallbackRecord> m_pCallback;
    CString m_strHoverText;
    DWORD_PTR m_nHoverData = 0;
    int m_nCurrentCommandId = kNoCommand;
    DWORD_PTR m_nLastHoverData = 0;
    CMap<void*, void*, Color_Font, Color_Font&> m_mapColorFont{10};

  private:
    void PaintColouredItems(CDC& dc);

    DECLARE_MESSAGE_MAP()
};
