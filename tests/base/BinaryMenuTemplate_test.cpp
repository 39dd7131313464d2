#include "platform/base/BinaryMenuTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Resource.h"

namespace {

using namespace std::string_view_literals;
using Item = kq::MenuItemTemplate;

constexpr Item kRecent[] = {{"&1 a.kq7"sv, 301, 0}, {"&2 b.kq7"sv, 302, Item::Grayed}};
constexpr Item kFile[] = {
    {"&Open...\tCtrl+O"sv, 101, 0},
    {""sv, 0, Item::Separator},
    {"&Recent"sv, 0, Item::Popup, kRecent},
};
constexpr Item kBar[] = {
    {"&File"sv, 0, Item::Popup, kFile},
    {"&Hilfe"sv, 900, Item::Help | Item::Checked},
};

// The template as words: little-endian, texts as UTF-16 units with their terminator.
std::vector<WORD> Words(const std::vector<BYTE>& bytes) {
    std::vector<WORD> words;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        words.push_back(static_cast<WORD>(bytes[i] | (bytes[i + 1] << 8)));
    return words;
}

void Append(std::vector<WORD>& out, std::u16string_view text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

TEST(BinaryMenuTemplate, EncodesNestingEndMarksSeparatorsAndTexts) {
    const std::vector<BYTE> bytes = kq::EncodeMenuTemplate(kq::MenuTemplate{kBar});
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::vector<WORD> expected = {0, 0, 0x0010};
    Append(expected, u"&File");
    expected.insert(expected.end(), {0x0000, 101});
    Append(expected, u"&Open...\tCtrl+O");
    expected.insert(expected.end(), {0x0000, 0, 0});  // the separator as the compiler writes it
    expected.push_back(0x0010 | 0x0080);              // the last item of File: a pop-up
    Append(expected, u"&Recent");
    expected.insert(expected.end(), {0x0000, 301});
    Append(expected, u"&1 a.kq7");
    expected.insert(expected.end(), {0x0001 | 0x0080, 302});
    Append(expected, u"&2 b.kq7");
    expected.insert(expected.end(), {0x4000 | 0x0008 | 0x0080, 900});
    Append(expected, u"&Hilfe");
    EXPECT_EQ(Words(bytes), expected);
}

TEST(BinaryMenuTemplate, ReaderWalksWhatTheEncoderWrote) {
    const std::vector<BYTE> bytes = kq::EncodeMenuTemplate(kq::MenuTemplate{kBar});
    const BYTE* at = kq::FirstBinaryMenuItem(bytes.data());
    ASSERT_EQ(at, bytes.data() + 4);
    std::vector<std::string> seen;
    kq::BinaryMenuItem item;
    for (int i = 0; i < 7; ++i) {
        at = kq::ReadBinaryMenuItem(at, item);
        seen.push_back(item.text + (item.IsPopup() ? "[" : "") + (item.IsSeparator() ? "-" : "") +
                       (item.IsLast() ? "]" : ""));
    }
    EXPECT_EQ(at, bytes.data() + bytes.size());
    EXPECT_EQ(seen, (std::vector<std::string>{"&File[", "&Open...\tCtrl+O", "-", "&Recent[]",
                                              "&1 a.kq7", "&2 b.kq7]", "&Hilfe]"}));
    // A header offset is skipped; the extended form (version 1) is not this reader's.
    const BYTE withOffset[] = {0, 0, 2, 0, 0xEE, 0xEE, 0x80, 0, 7, 0, 'x', 0, 0, 0};
    at = kq::ReadBinaryMenuItem(kq::FirstBinaryMenuItem(withOffset), item);
    EXPECT_EQ(item.id, 7);
    EXPECT_EQ(item.text, "x");
    EXPECT_EQ(at, withOffset + sizeof withOffset);
    const BYTE extended[] = {1, 0, 4, 0, 0, 0, 0, 0};
    EXPECT_EQ(kq::FirstBinaryMenuItem(extended), nullptr);
    EXPECT_EQ(kq::FirstBinaryMenuItem(nullptr), nullptr);
}

TEST(BinaryMenuTemplate, EmptyLevelsBecomeOneSeparator) {
    constexpr Item kEmptyPopup[] = {{"&Leer"sv, 0, Item::Popup, {}}};
    EXPECT_EQ(Words(kq::EncodeMenuTemplate(kq::MenuTemplate{kEmptyPopup})),
              (std::vector<WORD>{0, 0, 0x0090, '&', 'L', 'e', 'e', 'r', 0, 0x0080, 0, 0}));
    EXPECT_EQ(Words(kq::EncodeMenuTemplate(kq::MenuTemplate{})),
              (std::vector<WORD>{0, 0, 0x0080, 0, 0}));
}

TEST(BinaryMenuTemplate, MenuResourcesLockAsTheBinaryForm) {
    constexpr kq::MenuResource menus[] = {{kq::ResourceName(120), kq::MenuTemplate{kBar}}};
    kq::ResourceBundle bundle{};
    bundle.menus = menus;
    kq::InstallResources(bundle);
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(120), RT_MENU);
    ASSERT_NE(found, nullptr);
    const std::vector<BYTE> expected = kq::EncodeMenuTemplate(kq::MenuTemplate{kBar});
    ASSERT_EQ(SizeofResource(nullptr, found), expected.size());
    const auto* locked = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(std::vector<BYTE>(locked, locked + expected.size()), expected);
    // The same bytes on every lock, and the structure is still there for LoadMenu.
    EXPECT_EQ(
        LockResource(LoadResource(nullptr, FindResource(nullptr, MAKEINTRESOURCE(120), RT_MENU))),
        locked);
    EXPECT_EQ(kq::FindMenuTemplate(120)->items.data(), kBar);
    kq::UninstallResources(bundle);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(120), RT_MENU), nullptr);
}

}  // namespace
