// The owner-drawn menu of the main window: a CMenu that builds itself from a MENU resource and
// makes every pop-up item owner-drawn with a record of its own (BCMenuData), drawn with an icon
// strip, images with faded, shadow and greyed variants, check marks and a right-aligned
// shortcut column. The menu bar itself keeps plain string items.
//
// The owner window forwards WM_MEASUREITEM (for registered pop-ups), WM_MENUCHAR
// (FindKeyboardShortcut) and, after its default handling, WM_INITMENUPOPUP (UpdateMenu).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/menu/BCMenuData.h"
#include "platform/framework/Menu.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/ImageList.h"

class BCMenu : public CMenu {
    DECLARE_DYNAMIC(BCMenu)
  public:
    BCMenu();
    ~BCMenu() override;

    // Loading: the MENU resource parsed within its size; FALSE (menu destroyed) when it is
    // missing or ends early.
    BOOL LoadMenu(UINT nIDResource) override;
    BOOL LoadMenu(LPCTSTR lpszResourceName) override;
    // Unregisters and deletes the pop-ups and records, then destroys the handle.
    BOOL DestroyMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

    static BOOL IsRegisteredMenu(CMenu* pMenu);
    // Re-synchronises a BCMenu's records with its items (after the update handlers ran).
    static void UpdateMenu(CMenu* pMenu);
    // The WM_MENUCHAR answer: position in the low word and MNC_EXECUTE, or 0.
    static LRESULT FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu);

    // Gives every item of the command its image (and text when given). FALSE when the command
    // stands nowhere in the menu (its image is registered all the same).
    BOOL ModifyOwnerDrawItemA(LPCSTR lpszText, UINT nID, CImageList* pImageList, int nIndex);
    BOOL ModifyOwnerDrawItemW(const char16_t* lpszText, UINT nID, CImageList* pImageList,
                              int nIndex);
    // Appends one owner-drawn item; nImage -1 takes the command's image from the class list.
    BOOL AppendOwnerDrawItem(const char16_t* lpszText, UINT nFlags, UINT_PTR nID, int nImage);
    // The record's text by position (MF_BYPOSITION) or by command.
    BOOL GetItemText(UINT nItem, CString& text, UINT nFlags) const;

    // Class-wide images (index of the normal image; +1 faded, +2 shadow, +3 greyed).
    static int RegisterImage(CImageList* pSource, int nIndex, UINT nCommand);
    static int FindImageIndex(UINT nCommand);
    static BOOL HasDerivedImages(int nIndex);
    static CImageList& ClassImages();
    static BOOL IconToBitmap(CDC* pDC, CImageList* pList, int nIndex, CBitmap& bitmap);
    static void ApplyFade(CBitmap& bitmap);
    static void ApplyShadow(CBitmap& bitmap);
    static void ApplyGrey(CBitmap& bitmap, COLORREF replacement);
    static COLORREF BlendToWhite(COLORREF color, double factor);
    static COLORREF ScaleToBlack(COLORREF color, double factor);
    static int GetOsClass();
    static BOOL IsClassicTheme();
    static BOOL IsThemedXp();
    // Frees the image list, command array, registered-menu list and cached tests; the next use
    // builds them again as on first use.
    static void ReleaseClassResources();

    // Painting steps of the two looks.
    void DrawFlatItem(LPDRAWITEMSTRUCT lpDIS);
    void DrawClassicItem(LPDRAWITEMSTRUCT lpDIS);
    static void DrawEmbossed(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap,
                             int srcX, int srcY, COLORREF background);
    static void DrawFlatCheck(CDC* pDC, const CRect& rc, HBITMAP hCheck, COLORREF highlight,
                              BOOL selected);
    static void DrawClassicCheck(CDC* pDC, const CRect& rc, BOOL selected, HBITMAP hCheck);
    static void DrawTickMark(CDC* pDC, int x, int y, COLORREF color, int shortening);
    static void DrawRadioMark(CDC* pDC, int x, int y, COLORREF color);

    // The records in item order, for inspection.
    int GetRecordCount() const { return static_cast<int>(m_MenuList.size()); }
    BCMenuData* GetRecord(int nPos) const;
    int GetSubMenuCount() const { return static_cast<int>(m_SubMenus.size()); }

  protected:
    void SyncWithMenu();
    BCMenuData* CreateItemAtPosition(int nPos, UINT nFlags, UINT_PTR nID, const CString& text);
    void AlignShortcutColumn();
    void RestoreBarItems();
    int GetRecordOffset();
    // The first item of the command, depth-first; with `visited`, the first not in it.
    struct ItemPlace {
        BCMenu* menu = nullptr;
        int pos = -1;
    };
    ItemPlace FindCommandItem(UINT nID, const std::vector<ItemPlace>* visited = nullptr);
    // The record at a position, after re-synchronising when the counts differ; null when none.
    BCMenuData* RecordAt(int nPos);
    // Builds the menu from a binary template of `size` bytes (what LoadMenu does once it has
    // the resource).
    BOOL LoadMenuTemplate(const BYTE* data, size_t size);
    BOOL ParseTemplate(const BYTE* data, size_t size);

    std::vector<std::unique_ptr<BCMenuData>> m_MenuList;
    std::vector<HMENU> m_SubMenus;
    DWORD m_bLoaded = 0;
};

// Draws into an off-screen bitmap of the rectangle, in the target's coordinates, and copies it
// to the target when destroyed; a printing target is drawn on directly.
class BCMenuMemDC : public CDC {
  public:
    BCMenuMemDC(CDC* pDC, const CRect* pRect);
    ~BCMenuMemDC() override;
    BCMenuMemDC(const BCMenuMemDC&) = delete;
    BCMenuMemDC& operator=(const BCMenuMemDC&) = delete;

  private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
