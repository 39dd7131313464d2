// What the collection templates share: POSITION, and the element helpers that a class may
// specialise for its own element type (SerializeElements, CompareElements, HashKey).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <type_traits>

#include "platform/base/Archive.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

// An opaque place in a list or map.
struct __POSITION;
using POSITION = __POSITION*;

// Elements of trivially copyable types are stored as their bytes, others through the archive's
// operators. Pointers cannot be stored: their values mean nothing in a file, and reading them
// back would hand out addresses taken from the file. (Collections of CObject pointers store the
// objects themselves.) Bitwise elements are read as stored; types with bool or enum members
// should specialise this for data from outside.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
    if (nCount <= 0)
        return;
    if constexpr (std::is_pointer_v<TYPE>) {
        (void)ar;
        (void)pElements;
        AfxThrowNotSupportedException();
    } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
        auto* bytes = reinterpret_cast<BYTE*>(pElements);
        size_t left = static_cast<size_t>(nCount) * sizeof(TYPE);
        while (left > 0) {
            const auto step = static_cast<UINT>(std::min<size_t>(left, 1u << 30));
            if (ar.IsStoring())
                ar.Write(bytes, step);
            else if (ar.Read(bytes, step) != step)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            bytes += step;
            left -= step;
        }
    } else {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
}

namespace kq {

// The least number of bytes one stored element takes, used to check a count read from an
// archive against the bytes left before anything is allocated for it.
template <class TYPE>
constexpr ULONGLONG MinStoredSize() {
    if constexpr (std::is_trivially_copyable_v<TYPE> && !std::is_pointer_v<TYPE>)
        return sizeof(TYPE);
    else
        return 1;
}

// Collections of these cannot be stored; they refuse before they write anything.
template <class TYPE>
void RefuseSerializingPointers() {
    if constexpr (std::is_pointer_v<TYPE>)
        AfxThrowNotSupportedException();
}

inline UINT HashBytes(const char* p, size_t n) {
    UINT hash = 0;
    for (size_t i = 0; i < n; ++i)
        hash = (hash << 5) + hash + static_cast<unsigned char>(p[i]);
    return hash;
}

}  // namespace kq

template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
    return *pElement1 == *pElement2 ? TRUE : FALSE;
}

// Text keys hash by their content, other pointers by their address.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key) {
    using K = std::remove_cvref_t<ARG_KEY>;
    if constexpr (std::is_same_v<K, CString>) {
        return kq::HashBytes(key.GetString(), static_cast<size_t>(key.GetLength()));
    } else if constexpr (std::is_same_v<K, const char*> || std::is_same_v<K, char*>) {
        return key != nullptr ? kq::HashBytes(key, std::strlen(key)) : 0;
    } else if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
        const auto v = static_cast<uint64_t>(key);
        return static_cast<UINT>(v ^ (v >> 32));
    } else {
        return static_cast<UINT>(std::hash<K>{}(key));
    }
}
