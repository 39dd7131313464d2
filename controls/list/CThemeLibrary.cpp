// The visual-style library is loaded once for the process; each entry point is looked up on its
// first use and kept, a missing one replaced by a function that answers the failure value. The
// XP-style decision needs the common-controls version 6.0 and one of the three XP colour
// schemes, and is cached so that every caller paints alike for the whole run.
#include "controls/list/CThemeLibrary.h"

#include <strings.h>
#include <cstring>

namespace {

struct DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
using DllGetVersionFn = HRESULT (*)(DllVersionInfo*);

HTHEME NoOpenThemeData(HWND, LPCSTR) {
    return nullptr;
}
HRESULT NoCloseThemeData(HTHEME) {
    return E_FAIL;
}
HRESULT NoDrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) {
    return E_FAIL;
}
HRESULT NoGetThemeColor(HTHEME, int, int, int, COLORREF*) {
    return E_FAIL;
}
BOOL NoIsAppThemed() {
    return FALSE;
}
HRESULT NoGetCurrentThemeName(LPSTR, int, LPSTR, int, LPSTR, int) {
    return E_FAIL;
}

// An entry point found by name, as the function type it is known to have.
template <typename Fn>
Fn EntryPoint(FARPROC proc) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// Loaded during static initialisation, before the application object runs.
CThemeLibrary g_ThemeLibrary;

}  // namespace

CThemeLibrary& ThemeLibrary() {
    return g_ThemeLibrary;
}

CThemeLibrary::CThemeLibrary() : m_hThemeLib(::LoadLibrary("UxTheme.dll")) {}

CThemeLibrary::~CThemeLibrary() {
    if (m_hThemeLib != nullptr)
        ::FreeLibrary(m_hThemeLib);
}

template <typename Fn>
Fn CThemeLibrary::Resolve(Fn& slot, LPCSTR name, Fn fallback) {
    if (slot == nullptr) {
        FARPROC proc = m_hThemeLib != nullptr ? ::GetProcAddress(m_hThemeLib, name) : nullptr;
        slot = proc != nullptr ? EntryPoint<Fn>(proc) : fallback;
    }
    return slot;
}

HTHEME CThemeLibrary::OpenThemeData(HWND hwnd, LPCSTR pszClassList) {
    return Resolve(m_pOpenThemeData, "OpenThemeData", &NoOpenThemeData)(hwnd, pszClassList);
}

HRESULT CThemeLibrary::CloseThemeData(HTHEME hTheme) {
    return Resolve(m_pCloseThemeData, "CloseThemeData", &NoCloseThemeData)(hTheme);
}

HRESULT CThemeLibrary::DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                           const RECT* pRect, const RECT* pClipRect) {
    return Resolve(m_pDrawThemeBackground, "DrawThemeBackground", &NoDrawThemeBackground)(
        hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
}

HRESULT CThemeLibrary::GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                                     COLORREF* pColor) {
    return Resolve(m_pGetThemeColor, "GetThemeColor", &NoGetThemeColor)(hTheme, iPartId, iStateId,
                                                                        iPropId, pColor);
}

BOOL CThemeLibrary::IsAppThemed() {
    return Resolve(m_pIsAppThemed, "IsAppThemed", &NoIsAppThemed)();
}

HRESULT CThemeLibrary::GetCurrentThemeName(LPSTR pszThemeFileName, int cchMaxNameChars,
                                           LPSTR pszColorBuff, int cchMaxColorChars,
                                           LPSTR pszSizeBuff, int cchMaxSizeChars) {
    return Resolve(m_pGetCurrentThemeName, "GetCurrentThemeName", &NoGetCurrentThemeName)(
        pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff,
        cchMaxSizeChars);
}

BOOL CThemeLibrary::IsXPThemeActive() {
    if (m_nThemeActive != -1)
        return m_nThemeActive;
    DllVersionInfo version{};
    version.cbSize = sizeof version;
    if (HMODULE comctl = ::LoadLibrary("comctl32.dll")) {
        if (FARPROC proc = ::GetProcAddress(comctl, "DllGetVersion"))
            EntryPoint<DllGetVersionFn>(proc)(&version);
        ::FreeLibrary(comctl);
    }
    m_nThemeActive = 0;
    if (version.dwMajorVersion != 6 || version.dwMinorVersion != 0)
        return m_nThemeActive;
    char fileName[255] = {};
    char colorName[255] = {};
    if (GetCurrentThemeName(fileName, 255, colorName, 255, nullptr, 0) != S_OK)
        return m_nThemeActive;
    if (strcasecmp(colorName, "normalcolor") != 0 && strcasecmp(colorName, "homestead") != 0 &&
        strcasecmp(colorName, "metallic") != 0)
        return m_nThemeActive;
    // The answer stays the one given now, so that every caller decides alike.
    m_nThemeActive = IsAppThemed() && IsLoaded() ? 1 : 0;
    return m_nThemeActive;
}
