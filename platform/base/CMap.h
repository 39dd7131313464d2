// CMap: the framework's hash map, walked with GetStartPosition / GetNextAssoc. The table grows
// when its chains get long, so a map started with a small InitHashTable stays fast. The entry
// just returned by GetNextAssoc may be removed during the walk; entries added during a walk may
// or may not be visited.
#pragma once

#include <new>
#include <stdexcept>
#include <vector>

#include "platform/base/CollectionHelpers.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  public:
    using BASE_KEY = KEY;
    using BASE_ARG_KEY = ARG_KEY;
    using BASE_VALUE = VALUE;
    using BASE_ARG_VALUE = ARG_VALUE;

    // nBlockSize is accepted for the framework's signature; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0 ? TRUE : FALSE; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
        UINT hash = 0;
        const CAssoc* assoc = Find(key, hash);
        if (assoc == nullptr)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    // The value of the key, added with a value-initialised VALUE when missing.
    VALUE& operator[](ARG_KEY key) {
        UINT hash = 0;
        if (CAssoc* assoc = Find(key, hash))
            return assoc->value;
        if (m_table.empty())
            Rehash(m_nHashTableSize);
        auto* assoc = new CAssoc{nullptr, hash, this, KEY(key), VALUE()};
        CAssoc*& bucket = m_table[hash % m_nHashTableSize];
        assoc->pNext = bucket;
        bucket = assoc;
        ++m_nCount;
        if (static_cast<size_t>(m_nCount) > 2 * static_cast<size_t>(m_nHashTableSize))
            Rehash(m_nHashTableSize * 2 + 1);
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key) {
        if (m_table.empty())
            return FALSE;
        UINT hash = 0;
        CAssoc* target = Find(key, hash);
        if (target == nullptr)
            return FALSE;
        for (CAssoc** link = &m_table[hash % m_nHashTableSize];; link = &(*link)->pNext) {
            if (*link == target) {
                *link = target->pNext;
                break;
            }
        }
        delete target;
        --m_nCount;
        return TRUE;
    }
    void RemoveAll() {
        for (CAssoc*& head : m_table) {
            while (head != nullptr) {
                CAssoc* next = head->pNext;
                delete head;
                head = next;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return ToPosition(FirstFrom(0)); }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
        auto* assoc = reinterpret_cast<CAssoc*>(rNextPosition);
        ASSERT(assoc != nullptr && assoc->pOwner == this);
        if (assoc == nullptr || assoc->pOwner != this)
            AfxThrowInvalidArgException();
        rKey = assoc->key;
        rValue = assoc->value;
        rNextPosition = ToPosition(NextOf(assoc));
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; entries already in the map are kept.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
        hashSize = std::max(hashSize, 1u);
        if (m_nCount > 0 || bAllocNow)
            Rehash(hashSize);
        else
            m_nHashTableSize = hashSize;
    }

    // The count, then key and value of each entry in walking order. Loading adds to the map.
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        kq::RefuseSerializingPointers<KEY>();
        kq::RefuseSerializingPointers<VALUE>();
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CAssoc* assoc = FirstFrom(0); assoc != nullptr; assoc = NextOf(assoc)) {
                SerializeElements<KEY>(ar, &assoc->key, 1);
                SerializeElements<VALUE>(ar, &assoc->value, 1);
            }
            return;
        }
        DWORD_PTR count = ar.ReadCount();
        ar.EnsureAvailable(count, kq::MinStoredSize<KEY>() + kq::MinStoredSize<VALUE>());
        while (count-- > 0) {
            KEY newKey[1] = {};
            VALUE newValue[1] = {};
            SerializeElements<KEY>(ar, newKey, 1);
            SerializeElements<VALUE>(ar, newValue, 1);
            SetAt(newKey[0], newValue[0]);
        }
    }

  private:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        const CMap* pOwner;
        KEY key;
        VALUE value;
    };

    static POSITION ToPosition(CAssoc* assoc) { return reinterpret_cast<POSITION>(assoc); }

    CAssoc* Find(ARG_KEY key, UINT& hash) const {
        hash = HashKey<ARG_KEY>(key);
        if (m_table.empty())
            return nullptr;
        for (CAssoc* assoc = m_table[hash % m_nHashTableSize]; assoc != nullptr;
             assoc = assoc->pNext) {
            if (assoc->nHashValue == hash && CompareElements(&assoc->key, &key))
                return assoc;
        }
        return nullptr;
    }
    CAssoc* FirstFrom(size_t bucket) const {
        for (; bucket < m_table.size(); ++bucket) {
            if (m_table[bucket] != nullptr)
                return m_table[bucket];
        }
        return nullptr;
    }
    CAssoc* NextOf(const CAssoc* assoc) const {
        return assoc->pNext != nullptr ? assoc->pNext
                                       : FirstFrom(assoc->nHashValue % m_nHashTableSize + 1);
    }
    void Rehash(UINT newSize) {
        std::vector<CAssoc*> table;
        try {
            table.assign(newSize, nullptr);
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        } catch (const std::length_error&) {
            AfxThrowMemoryException();
        }
        for (CAssoc* head : m_table) {
            while (head != nullptr) {
                CAssoc* next = head->pNext;
                CAssoc*& bucket = table[head->nHashValue % newSize];
                head->pNext = bucket;
                bucket = head;
                head = next;
            }
        }
        m_table.swap(table);
        m_nHashTableSize = newSize;
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};
