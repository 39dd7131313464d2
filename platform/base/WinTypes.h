// The scalar types, handles and small macros that code written against the Windows API expects.
// Sizes follow the 32-bit Windows data model where it matters for stored data (LONG and DWORD
// are 32 bits); pointer-sized types follow the machine.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BOOLEAN = unsigned char;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = int32_t;
using ULONG = uint32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using DWORD64 = uint64_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using FLOAT = float;
using DOUBLE = double;
using CHAR = char;
using TCHAR = char;
using UCHAR = unsigned char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using HRESULT = LONG;
using COLORREF = DWORD;
using ATOM = WORD;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define _T(x) x
#define TEXT(x) x

constexpr int MAX_PATH = 260;
constexpr DWORD INFINITE = 0xFFFFFFFFu;

// Opaque handles: each kind is a distinct pointer type so that they cannot be mixed up.
#define KQ_DECLARE_HANDLE(name) \
    struct name##__;            \
    using name = name##__*

using HANDLE = void*;
using HGDIOBJ = void*;
KQ_DECLARE_HANDLE(HWND);
KQ_DECLARE_HANDLE(HDC);
KQ_DECLARE_HANDLE(HINSTANCE);
KQ_DECLARE_HANDLE(HKEY);
KQ_DECLARE_HANDLE(HMENU);
KQ_DECLARE_HANDLE(HICON);
KQ_DECLARE_HANDLE(HACCEL);
KQ_DECLARE_HANDLE(HMONITOR);
KQ_DECLARE_HANDLE(HBITMAP);
KQ_DECLARE_HANDLE(HBRUSH);
KQ_DECLARE_HANDLE(HPEN);
KQ_DECLARE_HANDLE(HFONT);
KQ_DECLARE_HANDLE(HRGN);
KQ_DECLARE_HANDLE(HPALETTE);
KQ_DECLARE_HANDLE(HRSRC);
KQ_DECLARE_HANDLE(HGLOBAL_);
KQ_DECLARE_HANDLE(HIMAGELIST_);
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGLOBAL = HANDLE;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

constexpr WORD LOWORD(DWORD_PTR v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(DWORD_PTR v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(DWORD_PTR v) {
    return static_cast<BYTE>(v & 0xFF);
}
constexpr BYTE HIBYTE(DWORD_PTR v) {
    return static_cast<BYTE>((v >> 8) & 0xFF);
}
constexpr DWORD MAKELONG(DWORD lo, DWORD hi) {
    return (lo & 0xFFFF) | ((hi & 0xFFFF) << 16);
}
constexpr WORD MAKEWORD(DWORD lo, DWORD hi) {
    return static_cast<WORD>((lo & 0xFF) | ((hi & 0xFF) << 8));
}
constexpr WPARAM MAKEWPARAM(DWORD lo, DWORD hi) {
    return MAKELONG(lo, hi);
}
constexpr LPARAM MAKELPARAM(DWORD lo, DWORD hi) {
    return static_cast<LPARAM>(MAKELONG(lo, hi));
}
constexpr LRESULT MAKELRESULT(DWORD lo, DWORD hi) {
    return static_cast<LRESULT>(MAKELONG(lo, hi));
}
// Signed coordinates packed in an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(LOWORD(lp));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(HIWORD(lp));
}

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINTS {
    SHORT x;
    SHORT y;
};

// Debug checks: active in every build, since a broken invariant should stop a test at once.
void KqAssertFailed(const char* file, int line, const char* expr);
#define ASSERT(expr)                                   \
    do {                                               \
        if (!(expr))                                   \
            KqAssertFailed(__FILE__, __LINE__, #expr); \
    } while (0)
#define VERIFY(expr) ASSERT(expr)
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#define UNUSED_ALWAYS(x) (void)(x)
