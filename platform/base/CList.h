// CList: the framework's doubly linked list, walked with POSITION values. A POSITION stays
// valid until its own element is removed, so the usual walk may remove the element it has just
// passed:
//
//     for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
//         POSITION here = pos;
//         if (IsStale(list.GetNext(pos)))
//             list.RemoveAt(here);
//     }
//
// A null POSITION, or one of another list, fails the assertion and throws CInvalidArgException,
// as does taking the head or tail of an empty list.
#pragma once

#include "platform/base/CollectionHelpers.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  public:
    using BASE_TYPE = TYPE;
    using BASE_ARG_TYPE = ARG_TYPE;

    // nBlockSize is accepted for the framework's signature; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0 ? TRUE : FALSE; }

    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead() {
        CNode* node = NonEmpty(m_pNodeHead);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }
    TYPE RemoveTail() {
        CNode* node = NonEmpty(m_pNodeTail);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return LinkBefore(m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return LinkAfter(m_pNodeTail, newElement); }
    // The elements of pNewList in their order; the list may be this one.
    void AddHead(const CList* pNewList) {
        INT_PTR n = pNewList->m_nCount;
        for (CNode* p = pNewList->m_pNodeTail; n-- > 0; p = p->pPrev)
            AddHead(p->data);
    }
    void AddTail(const CList* pNewList) {
        INT_PTR n = pNewList->m_nCount;
        for (CNode* p = pNewList->m_pNodeHead; n-- > 0; p = p->pNext)
            AddTail(p->data);
    }

    void RemoveAll() {
        CNode* node = m_pNodeHead;
        while (node != nullptr) {
            CNode* next = node->pNext;
            delete node;
            node = next;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true)->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, true)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false)->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, false)->data; }

    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(NodeAt(position)); }

    // A null position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        return LinkBefore(position != nullptr ? NodeAt(position) : m_pNodeHead, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        return LinkAfter(position != nullptr ? NodeAt(position) : m_pNodeTail, newElement);
    }

    // The first element equal to searchValue after startAfter (from the head when null).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
        CNode* node = startAfter != nullptr ? NodeAt(startAfter)->pNext : m_pNodeHead;
        for (; node != nullptr; node = node->pNext) {
            if (CompareElements(&node->data, &searchValue))
                return ToPosition(node);
        }
        return nullptr;
    }
    // The position of the nIndex-th element; nullptr when there is none.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return ToPosition(node);
    }

    // The count, then the elements from head to tail. Loading appends to the list.
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        kq::RefuseSerializingPointers<TYPE>();
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext)
                SerializeElements<TYPE>(ar, &node->data, 1);
            return;
        }
        DWORD_PTR count = ar.ReadCount();
        ar.EnsureAvailable(count, kq::MinStoredSize<TYPE>());
        while (count-- > 0) {
            TYPE newData[1] = {};
            SerializeElements<TYPE>(ar, newData, 1);
            AddTail(newData[0]);
        }
    }

  private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        const CList* pOwner;
        TYPE data;
    };

    static POSITION ToPosition(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static void Check(bool valid) {
        ASSERT(valid);
        if (!valid)
            AfxThrowInvalidArgException();
    }
    CNode* NodeAt(POSITION position) const {
        auto* node = reinterpret_cast<CNode*>(position);
        Check(node != nullptr && node->pOwner == this);
        return node;
    }
    static CNode* NonEmpty(CNode* node) {
        Check(node != nullptr);
        return node;
    }
    CNode* Step(POSITION& rPosition, bool forward) const {
        CNode* node = NodeAt(rPosition);
        rPosition = ToPosition(forward ? node->pNext : node->pPrev);
        return node;
    }
    // The element may live in this list; nodes never move, so it stays valid.
    POSITION LinkBefore(CNode* next, ARG_TYPE newElement) {
        CNode* prev = next != nullptr ? next->pPrev : nullptr;
        return Link(prev, next, newElement);
    }
    POSITION LinkAfter(CNode* prev, ARG_TYPE newElement) {
        CNode* next = prev != nullptr ? prev->pNext : nullptr;
        return Link(prev, next, newElement);
    }
    POSITION Link(CNode* prev, CNode* next, ARG_TYPE newElement) {
        auto* node = new CNode{next, prev, this, TYPE(newElement)};
        (prev != nullptr ? prev->pNext : m_pNodeHead) = node;
        (next != nullptr ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return ToPosition(node);
    }
    void Unlink(CNode* node) {
        (node->pPrev != nullptr ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext != nullptr ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        --m_nCount;
        delete node;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};
