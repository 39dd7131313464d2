#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/base/Collections.h"

namespace {

std::string Join(const CArray<int, int>& a) {
    std::string out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        out += std::to_string(a[i]) + (i + 1 < a.GetSize() ? "," : "");
    return out;
}

template <class LIST>
std::string Join(const LIST& list) {
    std::string out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        out += std::to_string(list.GetNext(pos));
        out += pos != nullptr ? "," : "";
    }
    return out;
}

// The call fails its argument check: CInvalidArgException (checked where assertions only
// report, as in the test build).
template <class F>
bool Refused(F call) {
#ifdef NDEBUG
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
#else
    (void)call;
    return true;
#endif
}

TEST(CArray, InsertAndRemoveAtBothEnds) {
    CArray<int, int> a;
    for (int i = 1; i <= 3; ++i)
        a.Add(i);
    a.InsertAt(0, 0);
    a.InsertAt(a.GetSize(), 4);
    a.InsertAt(2, 9, 2);
    EXPECT_EQ(Join(a), "0,1,9,9,2,3,4");
    a.RemoveAt(0);
    a.RemoveAt(a.GetUpperBound());
    a.RemoveAt(1, 2);
    EXPECT_EQ(Join(a), "1,2,3");
    a.InsertAt(5, 7);  // beyond the end: the gap is zero
    EXPECT_EQ(Join(a), "1,2,3,0,0,7");
    a.SetAtGrow(7, 8);
    EXPECT_EQ(Join(a), "1,2,3,0,0,7,0,8");
    a.RemoveAt(0, a.GetSize());
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
}

TEST(CArray, ElementsOfTheArrayItselfSurviveGrowth) {
    CStringArray a;
    a.Add(CString('s', 100));
    for (int i = 0; i < 200; ++i)
        a.Add(a[0]);
    a.SetAtGrow(300, a[0]);
    a.InsertAt(0, a[150], 3);
    a.Append(a);
    a.InsertAt(1, &a);
    EXPECT_EQ(a.GetSize(), 2 * (301 + 3) * 2);
    for (INT_PTR i : {INT_PTR(0), INT_PTR(1), INT_PTR(500), a.GetUpperBound()})
        EXPECT_EQ(a[i], CString('s', 100));
    CStringArray copy;
    copy.Copy(a);
    copy.Copy(copy);
    EXPECT_EQ(copy.GetSize(), a.GetSize());
}

TEST(CArray, SetSizeKeepsAndZeroesAndIndicesStayInside) {
    CDWordArray a;
    a.SetSize(3, 16);
    a[1] = 5;
    a.SetSize(2);
    a.SetSize(4);
    EXPECT_EQ(a[1], 5u);
    EXPECT_EQ(a[3], 0u);
    EXPECT_NE(a.GetData(), nullptr);
    EXPECT_TRUE(Refused([&] { a.GetAt(4); }));
    EXPECT_TRUE(Refused([&] { a[-1] = 1; }));
    EXPECT_TRUE(Refused([&] { a.SetAt(4, 1); }));
    EXPECT_TRUE(Refused([&] { a.RemoveAt(3, 2); }));
    EXPECT_TRUE(Refused([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(Refused([&] { a.SetSize(-1); }));
    EXPECT_TRUE(Refused([&] { a.InsertAt(-1, 0u); }));
    EXPECT_EQ(a.GetSize(), 4);
}

TEST(CList, WalkingAndRemovingInOnePass) {
    CList<int, int> list;
    for (int i = 0; i < 10; ++i)
        list.AddTail(i);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION here = pos;
        if (list.GetNext(pos) % 2 == 0)
            list.RemoveAt(here);
    }
    EXPECT_EQ(Join(list), "1,3,5,7,9");
    EXPECT_EQ(list.GetCount(), 5);
    std::string backwards;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        backwards += std::to_string(list.GetPrev(pos));
    EXPECT_EQ(backwards, "97531");
    while (!list.IsEmpty())
        list.RemoveTail();
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddHead(4);
    EXPECT_EQ(list.GetHead(), 4);
    EXPECT_EQ(list.GetTail(), 4);
}

TEST(CList, InsertFindAndIndex) {
    CList<int, int> list;
    list.InsertAfter(nullptr, 2);   // empty: becomes the only element
    list.InsertBefore(nullptr, 1);  // null: at the head
    list.InsertAfter(nullptr, 4);   // null: at the tail
    list.InsertBefore(list.GetTailPosition(), 3);
    list.InsertAfter(list.GetTailPosition(), 5);
    list.InsertBefore(list.GetHeadPosition(), 0);
    EXPECT_EQ(Join(list), "0,1,2,3,4,5");
    list.AddTail(2);
    POSITION first = list.Find(2);
    EXPECT_EQ(list.FindIndex(2), first);
    EXPECT_EQ(list.Find(2, first), list.GetTailPosition());
    EXPECT_EQ(list.Find(9), nullptr);
    EXPECT_EQ(list.FindIndex(7), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    list.SetAt(first, 20);
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), 20);
    EXPECT_EQ(list.RemoveHead(), 0);
    list.AddTail(&list);
    EXPECT_EQ(Join(list), "1,20,3,4,5,2,1,20,3,4,5,2");

    CList<int, int> other;
    other.AddTail(1);
    EXPECT_TRUE(Refused([&] { list.GetAt(other.GetHeadPosition()); }));
    EXPECT_TRUE(Refused([&] { list.RemoveAt(nullptr); }));
    EXPECT_TRUE(Refused([&] {
        POSITION none = nullptr;
        list.GetNext(none);
    }));
    CList<int, int> empty;
    EXPECT_TRUE(Refused([&] { empty.RemoveHead(); }));
    EXPECT_TRUE(Refused([&] { empty.GetTail(); }));
}

TEST(CMap, GrowsFromASmallTableAndKeepsEveryEntry) {
    CMap<int, int, int, int> map;
    map.InitHashTable(3);
    for (int i = 0; i < 10000; ++i)
        map[i * 7] = i;
    EXPECT_EQ(map.GetCount(), 10000);
    EXPECT_GT(map.GetHashTableSize(), 3u);
    for (int i = 0; i < 10000; ++i) {
        int v = -1;
        ASSERT_TRUE(map.Lookup(i * 7, v));
        ASSERT_EQ(v, i);
    }
    std::map<int, int> seen;
    int key = 0, value = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        map.GetNextAssoc(pos, key, value);
        ++seen[key];
        if (value % 2 == 0)
            map.RemoveKey(key);  // the entry just passed may go
    }
    EXPECT_EQ(seen.size(), 10000u);
    for (const auto& [k, n] : seen)
        ASSERT_EQ(n, 1) << k;
    EXPECT_EQ(map.GetCount(), 5000);
    int v = 0;
    EXPECT_FALSE(map.Lookup(14, v));
    EXPECT_TRUE(map.Lookup(7, v));
    map.InitHashTable(101);  // resizing a filled table keeps it
    EXPECT_EQ(map.GetHashTableSize(), 101u);
    EXPECT_TRUE(map.Lookup(7, v));
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMap, TextKeysCompareByContent) {
    CMapStringToString map;
    char key[] = "COM3";
    map[key] = "USB";
    key[3] = '4';  // the map holds its own copy of the key
    map.SetAt(key, "RS485");
    map[CString("COM3")] += " serial";
    CString value;
    EXPECT_TRUE(map.Lookup("COM3", value));
    EXPECT_EQ(value, "USB serial");
    EXPECT_TRUE(map.Lookup("COM4", value));
    EXPECT_EQ(value, "RS485");
    EXPECT_FALSE(map.Lookup("com3", value));
    EXPECT_EQ(map["new"], "");
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_TRUE(map.RemoveKey("new"));
    EXPECT_FALSE(map.RemoveKey("new"));

    CMapWordToPtr words;
    int x = 0;
    words[0xFFFF] = &x;
    void* p = nullptr;
    EXPECT_TRUE(words.Lookup(0xFFFF, p));
    EXPECT_EQ(p, &x);
}

TEST(TypedPtr, ElementsGoInAndComeOutTyped) {
    struct Item {
        int n;
    };
    Item a{1}, b{2}, c{3};
    CTypedPtrArray<CPtrArray, Item*> array;
    array.Add(&a);
    array.Add(&b);
    array[1] = &c;
    array.InsertAt(0, &b);
    EXPECT_EQ(array[0]->n, 2);
    EXPECT_EQ(array.GetAt(2)->n, 3);

    CTypedPtrList<CPtrList, Item*> list;
    list.AddTail(&a);
    list.AddHead(&c);
    list.GetHead() = &b;
    int sum = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        sum += list.GetNext(pos)->n;
    EXPECT_EQ(sum, 3);
    EXPECT_EQ(list.RemoveTail(), &a);

    CTypedPtrMap<CMapStringToPtr, CString, Item*> map;
    map.SetAt("a", &a);
    map["c"] = &c;
    Item* found = nullptr;
    EXPECT_TRUE(map.Lookup("c", found));
    EXPECT_EQ(found->n, 3);
    CString key;
    int total = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        map.GetNextAssoc(pos, key, found);
        total += found->n;
    }
    EXPECT_EQ(total, 4);
    EXPECT_TRUE(map.RemoveKey("a"));
    EXPECT_FALSE(map.Lookup("a", found));
}

}  // namespace
