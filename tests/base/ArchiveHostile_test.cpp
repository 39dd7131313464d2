// Damaged and hostile archives: every failure is a CArchiveException, nothing is read out of
// bounds, nothing is allocated for lengths the file does not hold, nothing leaks.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "base/ArchiveTestClasses.h"
#include "platform/base/Collections.h"

namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Text(const char* s) {
    return Bytes(s, s + std::strlen(s));
}

const Bytes kShapeClass = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}, Text("CTestShape")});
const Bytes kEmptyShape = {0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};  // size 5, "", no link

// Reads objects until the stream ends or fails; deletes what it got. The cause, or -1.
int ReadAllObjects(const Bytes& bytes) {
    std::set<CObject*> got;
    const int cause = ArchiveCause([&] {
        LoadFromBytes(bytes, [&](CArchive& ar) {
            for (;;)
                got.insert(ar.ReadObject(nullptr));
        });
    });
    for (CObject* p : got)
        delete p;
    return cause;
}

TEST(ArchiveHostile, TruncatedAtEveryByte) {
    CTestShape a(1, "first"), b(2, "second", &a);
    CTestNote n("note", 3.0);
    CStringArray strings;
    strings.Add("x");
    const Bytes full = StoreToBytes([&](CArchive& ar) {
        ar << &a << &b << &n << &b << "tail";
        strings.Serialize(ar);
    });
    for (size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        std::set<CObject*> got;
        const int cause = ArchiveCause([&] {
            LoadFromBytes(part, [&](CArchive& ar) {
                for (int i = 0; i < 4; ++i)
                    got.insert(ar.ReadObject(nullptr));
                CString tail;
                ar >> tail;
                CStringArray back;
                back.Serialize(ar);
            });
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile);
        for (CObject* p : got)
            delete p;
        EXPECT_EQ(CTestShape::s_live, 2);  // a and b; half-read objects were deleted
    }
}

TEST(ArchiveHostile, LengthsAndCountsBeyondTheFileFailBeforeAllocating) {
    const Bytes strings[] = {
        {0xFE, 'a'},
        {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a'},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x3F, 'a', 0},
    };
    for (const Bytes& bytes : strings) {
        EXPECT_EQ(ArchiveCause([&] {
                      LoadFromBytes(bytes, [](CArchive& ar) {
                          CString s;
                          ar >> s;
                      });
                  }),
                  CArchiveException::endOfFile);
    }
    const Bytes hugeCount = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x01, 'a'};
    auto loadInto = [&](CObject& collection) {
        return ArchiveCause(
            [&] { LoadFromBytes(hugeCount, [&](CArchive& ar) { collection.Serialize(ar); }); });
    };
    CStringArray stringArray;
    CDWordArray dwords;
    CObArray objects;
    CObList list;
    CMapStringToString map;
    CArray<double, double> doubles;
    EXPECT_EQ(loadInto(stringArray), CArchiveException::endOfFile);
    EXPECT_EQ(loadInto(dwords), CArchiveException::endOfFile);
    EXPECT_EQ(loadInto(objects), CArchiveException::endOfFile);
    EXPECT_EQ(loadInto(list), CArchiveException::endOfFile);
    EXPECT_EQ(loadInto(map), CArchiveException::endOfFile);
    EXPECT_EQ(loadInto(doubles), CArchiveException::endOfFile);
}

TEST(ArchiveHostile, BadTagsAndClasses) {
    const struct {
        const char* what;
        Bytes bytes;
        int cause;
    } cases[] = {
        {"class tag before any class", {0x01, 0x80}, CArchiveException::badIndex},
        {"class tag naming an object", Concat({kShapeClass, kEmptyShape, {0x02, 0x80}}),
         CArchiveException::badIndex},
        {"object tag naming a class", Concat({kShapeClass, kEmptyShape, {0x01, 0x00}}),
         CArchiveException::badIndex},
        {"object tag beyond the objects", Concat({kShapeClass, kEmptyShape, {0x09, 0x00}}),
         CArchiveException::badIndex},
        {"big tag beyond the objects",
         {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00},
         CArchiveException::badIndex},
        {"big class tag 0", {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80}, CArchiveException::badIndex},
        {"unknown class", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("CNone")}),
         CArchiveException::badClass},
        {"name with a zero byte",
         Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0B, 0x00}, Text("CTestShape"), {0x00}}),
         CArchiveException::badClass},
        {"name too long", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}, Bytes(64, 'C')}),
         CArchiveException::badClass},
        {"class without a schema", Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x00}, Text("CFile")}),
         CArchiveException::badClass},
        {"abstract base", Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x00}, Text("CObject")}),
         CArchiveException::badClass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadAllObjects(c.bytes), c.cause);
        EXPECT_EQ(CTestShape::s_live, 0);
    }

    // Objects of another class than the one asked for are refused before they are made.
    const Bytes shape = Concat({kShapeClass, kEmptyShape});
    EXPECT_EQ(ArchiveCause([&] {
                  LoadFromBytes(shape,
                                [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CTestNote)); });
              }),
              CArchiveException::badClass);
    EXPECT_EQ(CTestShape::s_live, 0);
    // A class read where an object reference stands.
    EXPECT_EQ(ArchiveCause([&] {
                  LoadFromBytes({0x02, 0x00}, [](CArchive& ar) { ar.ReadClass(); });
              }),
              CArchiveException::badIndex);
}

TEST(ArchiveHostile, DeepNestingStopsBeforeTheStackEnds) {
    // Each shape links to a new shape: first the class, then 0x8001 tags, 100000 levels deep.
    Bytes bytes = kShapeClass;
    for (int i = 0; i < 100000; ++i) {
        const Bytes level = {0x05, 0x00, 0x00, 0x00, 0x00, 0x01, 0x80};
        bytes.insert(bytes.end(), level.begin(), level.end());
    }
    EXPECT_EQ(ReadAllObjects(bytes), CArchiveException::genericException);
    EXPECT_EQ(CTestShape::s_live, 0);
}

}  // namespace
