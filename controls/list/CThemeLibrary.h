// Late-bound access to the visual-style library, so the combo box and its drop-down paint in the
// classic look wherever that library is missing. Every wrapper resolves its entry point once and,
// without the library, answers the library's own failure value.
#pragma once

#include "platform/base/HResult.h"
#include "platform/base/RuntimeLibrary.h"
#include "platform/base/WinTypes.h"
#include "platform/gfx/WinGdi.h"

using HTHEME = HANDLE;

// Theme properties the combo box asks for.
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;

class CThemeLibrary {
  public:
    CThemeLibrary();
    ~CThemeLibrary();
    CThemeLibrary(const CThemeLibrary&) = delete;
    CThemeLibrary& operator=(const CThemeLibrary&) = delete;

    bool IsLoaded() const { return m_hThemeLib != nullptr; }

    // Null without the library.
    HTHEME OpenThemeData(HWND hwnd, LPCSTR pszClassList);
    // E_FAIL without the library, as are the other HRESULT wrappers.
    HRESULT CloseThemeData(HTHEME hTheme);
    HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                const RECT* pRect, const RECT* pClipRect);
    HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    // FALSE without the library.
    BOOL IsAppThemed();
    HRESULT GetCurrentThemeName(LPSTR pszThemeFileName, int cchMaxNameChars, LPSTR pszColorBuff,
                                int cchMaxColorChars, LPSTR pszSizeBuff, int cchMaxSizeChars);

    // Whether the XP visual styles are in use, decided on the first call and the same answer on
    // every later one.
    BOOL IsXPThemeActive();

  private:
    template <typename Fn>
    Fn Resolve(Fn& slot, LPCSTR name, Fn fallback);

    HMODULE m_hThemeLib = nullptr;
    int m_nThemeActive = -1;  // -1 not decided yet
    HTHEME (*m_pOpenThemeData)(HWND, LPCSTR) = nullptr;
    HRESULT (*m_pCloseThemeData)(HTHEME) = nullptr;
    HRESULT (*m_pDrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT (*m_pGetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
    BOOL (*m_pIsAppThemed)() = nullptr;
    HRESULT (*m_pGetCurrentThemeName)(LPSTR, int, LPSTR, int, LPSTR, int) = nullptr;
};

// The one library object of the process, loaded before main and freed at exit.
CThemeLibrary& ThemeLibrary();
