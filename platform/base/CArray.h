// CArray: the framework's growable array. An index outside the array fails the assertion and
// throws CInvalidArgException; it never reaches memory outside the array.
#pragma once

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/base/CollectionHelpers.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
    static_assert(!std::is_same_v<TYPE, bool>, "use BOOL or BYTE elements");

  public:
    using BASE_TYPE = TYPE;
    using BASE_ARG_TYPE = ARG_TYPE;

    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty() ? TRUE : FALSE; }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialised (zero for scalars). nGrowBy, when given, is the least
    // number of elements the storage grows by.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        CheckArgument(nNewSize >= 0);
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        Resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { SetSize(0); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[CheckIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[CheckIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[CheckIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // The element may live in this array: it is copied before the array grows.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        CheckArgument(nIndex >= 0);
        TYPE value(newElement);
        if (nIndex >= GetSize())
            Resize(static_cast<size_t>(nIndex) + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(value);
    }
    INT_PTR Add(ARG_TYPE newElement) {
        const INT_PTR index = GetSize();
        SetAtGrow(index, newElement);
        return index;
    }
    INT_PTR Append(const CArray& src) {
        const INT_PTR oldSize = GetSize();
        const std::vector<TYPE> copy(src.m_data);
        Resize(m_data.size() + copy.size());
        std::copy(copy.begin(), copy.end(), m_data.begin() + oldSize);
        return oldSize;
    }
    void Copy(const CArray& src) {
        if (&src != this) {
            Resize(src.m_data.size());
            std::copy(src.m_data.begin(), src.m_data.end(), m_data.begin());
        }
    }

    // Inserting beyond the end grows the array first; the gap holds new elements.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        CheckArgument(nIndex >= 0 && nCount >= 0);
        if (nCount == 0)
            return;
        TYPE value(newElement);
        const auto at = static_cast<size_t>(nIndex);
        const auto n = static_cast<size_t>(nCount);
        if (at >= m_data.size()) {
            Resize(at + n);
        } else {
            Resize(m_data.size() + n);
            std::move_backward(m_data.begin() + at, m_data.end() - n, m_data.end());
        }
        std::fill(m_data.begin() + at, m_data.begin() + at + n, value);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
        CheckArgument(nStartIndex >= 0 && pNewArray != nullptr);
        if (pNewArray->IsEmpty())
            return;
        const std::vector<TYPE> copy(pNewArray->m_data);
        InsertAt(nStartIndex, copy[0], static_cast<INT_PTR>(copy.size()));
        std::copy(copy.begin(), copy.end(), m_data.begin() + nStartIndex);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        CheckArgument(nIndex >= 0 && nCount >= 0 && nIndex <= GetSize() &&
                      nCount <= GetSize() - nIndex);
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // The count (see CArchive::WriteCount), then the elements (see SerializeElements).
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        kq::RefuseSerializingPointers<TYPE>();
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
            SerializeElements<TYPE>(ar, GetData(), GetSize());
            return;
        }
        const DWORD_PTR count = ar.ReadCount();
        ar.EnsureAvailable(count, kq::MinStoredSize<TYPE>());
        RemoveAll();
        // Grown in steps as the elements arrive, so that a count from a file of unknown
        // length allocates no more than the data that is really there.
        const DWORD_PTR step = std::max<DWORD_PTR>(1, 65536 / sizeof(TYPE));
        while (static_cast<DWORD_PTR>(GetSize()) < count) {
            const INT_PTR at = GetSize();
            const auto n = static_cast<INT_PTR>(std::min(step, count - at));
            Resize(static_cast<size_t>(at + n));
            SerializeElements<TYPE>(ar, GetData() + at, n);
        }
    }

  private:
    static void CheckArgument(bool valid) {
        ASSERT(valid);
        if (!valid)
            AfxThrowInvalidArgException();
    }
    size_t CheckIndex(INT_PTR nIndex) const {
        CheckArgument(nIndex >= 0 && nIndex < GetSize());
        return static_cast<size_t>(nIndex);
    }
    void Resize(size_t n) {
        if (n == 0) {
            std::vector<TYPE>().swap(m_data);
            return;
        }
        try {
            if (n > m_data.capacity()) {
                const size_t cap = m_data.capacity();
                m_data.reserve(std::max({n, cap * 2, cap + static_cast<size_t>(m_nGrowBy)}));
            }
            m_data.resize(n);
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        } catch (const std::length_error&) {
            AfxThrowMemoryException();
        }
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};
