#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "base/ArchiveTestClasses.h"
#include "platform/base/Collections.h"

IMPLEMENT_SERIAL(CTestShape, CObject, 1)
IMPLEMENT_SERIAL(CTestNote, CObject, VERSIONABLE_SCHEMA | 2)

int CTestShape::s_live = 0;

void CTestShape::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_size << m_name << m_pLink;
    else
        ar >> m_size >> m_name >> m_pLink;
}

void CTestNote::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_text << m_value;
        return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    ar >> m_text;
    if (m_loadedSchema >= 2)
        ar >> m_value;
}

Bytes StoreToBytes(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void LoadFromBytes(Bytes bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

int ArchiveCause(const std::function<void()>& call) {
    try {
        call();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

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

Bytes Tail(const Bytes& bytes, size_t n) {
    return Bytes(bytes.end() - static_cast<std::ptrdiff_t>(n), bytes.end());
}

TEST(Archive, ScalarsAreLittleEndianWithTheirFrameworkSizes) {
    const Bytes bytes = StoreToBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEF) << true << false << static_cast<short>(-3) << 'x'
           << static_cast<LONGLONG>(0x0102030405060708LL) << 1.5f << -2.25 << static_cast<UINT>(7);
    });
    const Bytes expected = {0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB,
                            0x89, 0x01, 0x00, 0xFD, 0xFF, 'x',  0x08, 0x07, 0x06, 0x05,
                            0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x02, 0xC0, 0x07, 0x00, 0x00, 0x00};
    EXPECT_EQ(bytes, expected);

    Bytes withOddBool = bytes;
    withOddBool[11] = 2;  // any non-zero byte reads as true
    LoadFromBytes(withOddBool, [](CArchive& ar) {
        BYTE b;
        WORD w;
        LONG l;
        DWORD dw;
        bool t, f;
        short s;
        char c;
        LONGLONG ll;
        float fl;
        double d;
        UINT u;
        ar >> b >> w >> l >> dw >> t >> f >> s >> c >> ll >> fl >> d >> u;
        EXPECT_EQ(b, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(dw, 0x89ABCDEFu);
        EXPECT_TRUE(t);
        EXPECT_FALSE(f);
        EXPECT_EQ(s, -3);
        EXPECT_EQ(c, 'x');
        EXPECT_EQ(ll, 0x0102030405060708LL);
        EXPECT_EQ(fl, 1.5f);
        EXPECT_EQ(d, -2.25);
        EXPECT_EQ(u, 7u);
    });
}

TEST(Archive, StringLengthPrefixesAtEveryBoundary) {
    const struct {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += static_cast<char>('a' + i % 26);
        const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + static_cast<size_t>(c.length));
        EXPECT_EQ(
            Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())),
            c.prefix);
        LoadFromBytes(bytes, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(back, text);
        });
    }
}

TEST(Archive, StringsKeepZeroBytesAndUtf16StringsReadAsUtf8) {
    const CString frame("\x02\x00\x41\x00", 4);
    LoadFromBytes(StoreToBytes([&](CArchive& ar) { ar << frame << "lit"; }), [&](CArchive& ar) {
        CString a, b;
        ar >> a >> b;
        EXPECT_EQ(a, frame);
        EXPECT_EQ(b, "lit");
    });
    // 0xFF 0xFFFE marks UTF-16 text: "Ä€" and U+1F600 as a surrogate pair, then a lone one.
    const Bytes utf16 = {0xFF, 0xFE, 0xFF, 0x05, 0xC4, 0x00, 0xAC,
                         0x20, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8};
    LoadFromBytes(utf16, [](CArchive& ar) {
        CString s;
        ar >> s;
        EXPECT_EQ(s, "\xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
    });
}

TEST(Archive, EightBitTextIsInCodePage1252) {
    const Bytes bytes = StoreToBytes([](CArchive& ar) {
        ar << CString("\xC2\xB0\x43") << CString("\xE2\x82\xAC\xE2\x9C\x93");  // °C, €✓
    });
    EXPECT_EQ(bytes, (Bytes{0x02, 0xB0, 0x43, 0x02, 0x80, '?'}));
    LoadFromBytes(Concat({bytes, {0x01, 0x81}}), [](CArchive& ar) {
        CString degrees, euro, unassigned;
        ar >> degrees >> euro >> unassigned;
        EXPECT_EQ(degrees, "\xC2\xB0\x43");
        EXPECT_EQ(euro, "\xE2\x82\xAC?");
        EXPECT_EQ(unassigned, "\xEF\xBF\xBD");
    });

    // Fixed fields: zero padded, cut to fit, and never in the middle of a character.
    char field[8];
    kq::ToArchiveField("\xC2\xB5m/\xC2\xB0\x43 \xC3\x84\xC3\x96", field, sizeof field);
    EXPECT_EQ(Bytes(reinterpret_cast<BYTE*>(field), reinterpret_cast<BYTE*>(field) + sizeof field),
              (Bytes{0xB5, 'm', '/', 0xB0, 'C', ' ', 0xC4, 0x00}));
    const char umlauts[5] = {'\xC4', '\xC4', '\xC4', '\xC4', '\xC4'};
    char utf8[6];
    kq::FromArchiveField(umlauts, sizeof umlauts, utf8, sizeof utf8);
    EXPECT_STREQ(utf8, "\xC3\x84\xC3\x84");
}

TEST(Archive, ObjectTagsForClassesObjectsAndReferences) {
    CTestShape a1(7, "a");
    CTestNote n1("n", 0.5);
    CTestShape a2(8, "", &n1);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << &a1 << &n1 << &a2 << &a1;
        ar.WriteObject(nullptr);
        ar << &n1;
    });
    const Bytes half = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F};
    const Bytes expected = Concat({
        {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
        Text("CTestShape"),                               // class 1
        {0x07, 0x00, 0x00, 0x00, 0x01, 'a', 0x00, 0x00},  // object 2
        {0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00},
        Text("CTestNote"),  // class 3
        {0x01, 'n'},
        half,                                                    // object 4
        {0x01, 0x80, 0x08, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00},  // object 5 -> 4
        {0x02, 0x00},                                            // a1 again
        {0x00, 0x00},                                            // null
        {0x04, 0x00},                                            // n1 again
    });
    EXPECT_EQ(bytes, expected);

    LoadFromBytes(bytes, [](CArchive& ar) {
        CObject* p[6];
        for (CObject*& q : p)
            ar >> q;
        auto* shape = DYNAMIC_DOWNCAST(CTestShape, p[0]);
        auto* note = DYNAMIC_DOWNCAST(CTestNote, p[1]);
        auto* other = DYNAMIC_DOWNCAST(CTestShape, p[2]);
        ASSERT_TRUE(shape && note && other);
        EXPECT_EQ(shape->m_size, 7);
        EXPECT_EQ(shape->m_name, "a");
        EXPECT_EQ(note->m_value, 0.5);
        EXPECT_EQ(note->m_loadedSchema, 2u);
        EXPECT_EQ(other->m_pLink, note);
        EXPECT_EQ(p[3], p[0]);
        EXPECT_EQ(p[4], nullptr);
        EXPECT_EQ(p[5], p[1]);
        delete p[0];
        delete p[1];
        delete p[2];
    });
    EXPECT_EQ(CTestShape::s_live, 2);  // the two on this stack
}

TEST(Archive, BigIndicesUseTheLongTags) {
    std::vector<std::unique_ptr<CTestShape>> shapes;
    for (int i = 0; i < 0x7FFF; ++i)  // indices 2 .. 0x8000
        shapes.push_back(std::make_unique<CTestShape>(i, ""));
    CTestNote n1("x", 1), n2("y", 2);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        for (auto& s : shapes)
            ar << s.get();
        ar << shapes[0x7FFC].get() << shapes.back().get();  // indices 0x7FFE and 0x8000
        ar << &n1 << &n2 << &n1;                            // class 0x8001, notes 0x8002 and 0x8003
    });
    const Bytes note = Concat({{0x01, 'y'}, {0, 0, 0, 0, 0, 0, 0, 0x40}});
    const Bytes tail = Concat({{0xFE, 0x7F},
                               {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00},
                               {0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00},
                               Text("CTestNote"),
                               {0x01, 'x'},
                               {0, 0, 0, 0, 0, 0, 0xF0, 0x3F},
                               {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80},
                               note,
                               {0xFF, 0x7F, 0x02, 0x80, 0x00, 0x00}});
    EXPECT_EQ(Tail(bytes, tail.size()), tail);

    LoadFromBytes(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> loaded;
        for (size_t i = 0; i < shapes.size(); ++i)
            loaded.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestShape)));
        EXPECT_EQ(ar.ReadObject(nullptr), loaded[0x7FFC].get());
        EXPECT_EQ(ar.ReadObject(nullptr), loaded.back().get());
        loaded.emplace_back(ar.ReadObject(nullptr));
        loaded.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestNote)));
        EXPECT_EQ(ar.ReadObject(nullptr), loaded[loaded.size() - 2].get());
        EXPECT_EQ(static_cast<CTestNote*>(loaded.back().get())->m_text, "y");
        EXPECT_EQ(static_cast<CTestShape*>(loaded[0x7FFE].get())->m_size, 0x7FFE);
    });
}

TEST(Archive, SchemaChecks) {
    // An older schema of a versionable class is read by the class itself.
    const Bytes oldNote = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00},
                                  Text("CTestNote"),
                                  {0x02, 'o', 'k'},
                                  {0x01, 0x80, 0x00}});
    LoadFromBytes(oldNote, [](CArchive& ar) {
        std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> second(ar.ReadObject(nullptr));
        auto* note = static_cast<CTestNote*>(first.get());
        EXPECT_EQ(note->m_text, "ok");
        EXPECT_EQ(note->m_loadedSchema, 1u);
        EXPECT_EQ(static_cast<CTestNote*>(second.get())->m_loadedSchema, 1u);
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
    });
    // Any other schema of a class that is not versionable is refused.
    const Bytes newerShape =
        Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00}, Text("CTestShape"), Bytes(7, 0)});
    EXPECT_EQ(ArchiveCause(
                  [&] { LoadFromBytes(newerShape, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
              CArchiveException::badSchema);
    EXPECT_EQ(CTestShape::s_live, 0);
}

TEST(Archive, CollectionsStoreCountsAndElementsLikeTheFramework) {
    CStringArray strings;
    strings.Add("a");
    strings.Add("");
    strings.Add(CString('z', 300));
    CDWordArray dwords;
    dwords.SetSize(0xFFFF);
    dwords[0xFFFE] = 0xDEADBEEF;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        strings.Serialize(ar);
        dwords.Serialize(ar);
    });
    const Bytes head = {0x03, 0x00, 0x01, 'a', 0x00, 0xFF, 0x2C, 0x01};
    ASSERT_GT(bytes.size(), 306u + 6u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), head);
    EXPECT_EQ(Bytes(bytes.begin() + 308, bytes.begin() + 314),
              Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Tail(bytes, 4), Bytes({0xEF, 0xBE, 0xAD, 0xDE}));

    LoadFromBytes(bytes, [&](CArchive& ar) {
        CStringArray s;
        CDWordArray d;
        s.Serialize(ar);
        d.Serialize(ar);
        ASSERT_EQ(s.GetSize(), 3);
        EXPECT_EQ(s[2], strings[2]);
        ASSERT_EQ(d.GetSize(), 0xFFFF);
        EXPECT_EQ(d[0xFFFE], 0xDEADBEEFu);
    });
}

TEST(Archive, ObjectCollectionsKeepSharedObjectsShared) {
    CTestShape a(1, "a"), b(2, "b");
    CObList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&a);
    CMapStringToOb map;
    map["first"] = &b;
    CMapStringToString names;
    names["k"] = "v";
    names["empty"] = "";
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        list.Serialize(ar);
        map.Serialize(ar);
        names.Serialize(ar);
    });
    LoadFromBytes(bytes, [](CArchive& ar) {
        CObList l;
        CMapStringToOb m;
        CMapStringToString n;
        l.Serialize(ar);
        m.Serialize(ar);
        n.Serialize(ar);
        ASSERT_EQ(l.GetCount(), 3);
        CObject* first = l.GetHead();
        CObject* second = l.GetAt(l.FindIndex(1));
        EXPECT_EQ(l.GetTail(), first);
        CObject* mapped = nullptr;
        EXPECT_TRUE(m.Lookup("first", mapped));
        EXPECT_EQ(mapped, second);
        CString value;
        EXPECT_TRUE(n.Lookup("k", value));
        EXPECT_EQ(value, "v");
        EXPECT_TRUE(n.Lookup("empty", value));
        EXPECT_EQ(value, "");
        delete first;
        delete second;
    });
    EXPECT_EQ(CTestShape::s_live, 2);
}

TEST(Archive, PlainStructArraysAreStoredBitwiseAndPointersAreRefused) {
    struct Led {
        int a, b, c, d, e;
    };
    CArray<Led, Led&> leds;
    Led led{1, 2, 3, 4, 5};
    leds.Add(led);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { leds.Serialize(ar); });
    EXPECT_EQ(bytes.size(), 2u + sizeof(Led));
    LoadFromBytes(bytes, [](CArchive& ar) {
        CArray<Led, Led&> back;
        back.Serialize(ar);
        ASSERT_EQ(back.GetSize(), 1);
        EXPECT_EQ(back[0].e, 5);
    });

    CPtrArray pointers;
    pointers.Add(&led);
    bool refused = false;
    try {
        StoreToBytes([&](CArchive& ar) { pointers.Serialize(ar); });
    } catch (CNotSupportedException* e) {
        e->Delete();
        refused = true;
    }
    EXPECT_TRUE(refused);
}

TEST(Archive, TextLinesAndModes) {
    LoadFromBytes(Text("one\r\ntwo\rthree\nlonger line\nlast"), [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "one");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "two");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "three");
        char small[5];
        EXPECT_EQ(ar.ReadString(small, sizeof small), small);
        EXPECT_STREQ(small, "long");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "er line");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "last");
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_EQ(ar.ReadString(small, sizeof small), nullptr);
        // Reading is all a loading archive does.
        EXPECT_EQ(ArchiveCause([&] { ar << 1; }), CArchiveException::readOnly);
    });
    StoreToBytes([](CArchive& ar) {
        int v = 0;
        EXPECT_EQ(ArchiveCause([&] { ar >> v; }), CArchiveException::writeOnly);
        EXPECT_TRUE(ar.IsStoring());
    });
}

TEST(Archive, LoadingFlushGivesUnreadBytesBackToTheFile) {
    Bytes bytes = {1, 0, 0, 0, 2, 0, 0, 0};
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    {
        CArchive ar(&file, CArchive::load);
        int v = 0;
        ar >> v;
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 4u);
}

}  // namespace
