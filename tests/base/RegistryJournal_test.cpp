#include "platform/base/RegistryJournal.h"

#include <gtest/gtest.h>

#include "platform/base/Registry.h"

namespace {

using kq::RegistryChange;

RegistryChange Change(RegistryChange::Kind kind, std::string path, std::string name = {},
                      DWORD type = 0, std::string data = {}) {
    RegistryChange change;
    change.kind = kind;
    change.path = std::move(path);
    change.name = std::move(name);
    change.type = type;
    change.data = std::move(data);
    return change;
}

TEST(RegistryJournal, EntriesCarryAnyBytesAndSurviveATornOrCorruptedLine) {
    const std::vector<RegistryChange> written = {
        Change(RegistryChange::Kind::CreateKey, "HKEY_CURRENT_USER\\Software\\A B"),
        Change(RegistryChange::Kind::SetValue, "HKEY_CURRENT_USER\\Software\\A B", "", REG_BINARY,
               std::string("\0\n\r %=\xFF", 7)),
        Change(RegistryChange::Kind::SetValue, "HKEY_CURRENT_USER\\Software\\Ü", "na me=%", REG_SZ,
               "text\0"),
        Change(RegistryChange::Kind::DeleteValue, "HKEY_CURRENT_USER\\Software\\Ü", "na me=%"),
        Change(RegistryChange::Kind::DeleteKey, "HKEY_CURRENT_USER\\Software\\A B"),
        Change(RegistryChange::Kind::ClearKey, "HKEY_CURRENT_USER\\Software"),
    };
    std::string text = kq::JournalHeader("1:2:3:4.5");
    std::vector<std::string> lines;
    for (const auto& change : written) {
        lines.push_back(kq::EncodeJournalEntry(change));
        EXPECT_EQ(lines.back().find('\n'), lines.back().size() - 1);  // exactly one line
        text += lines.back();
    }

    auto contents = kq::ParseJournal(text);
    EXPECT_TRUE(contents.hasHeader);
    EXPECT_EQ(contents.identity, "1:2:3:4.5");
    ASSERT_EQ(contents.changes.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(contents.changes[i].kind, written[i].kind);
        EXPECT_EQ(contents.changes[i].path, written[i].path);
        EXPECT_EQ(contents.changes[i].name, written[i].name);
        EXPECT_EQ(contents.changes[i].type, written[i].type);
        EXPECT_EQ(contents.changes[i].data, written[i].data);
    }
    EXPECT_EQ(contents.badLines, 0u);

    // A torn last line (killed mid-write) is dropped; every complete line before it stays.
    for (size_t cut = 1; cut < lines.back().size(); ++cut) {
        contents = kq::ParseJournal(text.substr(0, text.size() - cut));
        EXPECT_EQ(contents.changes.size(), written.size() - 1);
    }
    // A flipped byte in the middle costs only that line.
    std::string damaged = text;
    damaged[damaged.find("=text")] = 'T';
    contents = kq::ParseJournal(damaged);
    EXPECT_EQ(contents.changes.size(), written.size() - 1);
    EXPECT_EQ(contents.badLines, 1u);
    // Without its header nothing applies, since it cannot be tied to a file.
    contents = kq::ParseJournal(text.substr(text.find('\n') + 1));
    EXPECT_FALSE(contents.hasHeader);
    EXPECT_TRUE(contents.changes.empty());
}

TEST(RegistryJournal, ChangesApplyOnlyToValidPaths) {
    kq::RegistryKey root("", nullptr);
    EXPECT_TRUE(kq::ApplyChange(
        root, Change(RegistryChange::Kind::SetValue, "hkey_current_user\\A", "v", REG_SZ, "ab")));
    const auto key = root.FindPath({"HKEY_CURRENT_USER", "A"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(root.SubKeys()[0]->Name(), "HKEY_CURRENT_USER");  // the root's spelling is canonical
    EXPECT_EQ(key->FindValue("V")->data, std::string("ab\0", 3));  // strings come terminated
    EXPECT_FALSE(kq::ApplyChange(root, Change(RegistryChange::Kind::CreateKey, "Elsewhere\\A")));
    EXPECT_FALSE(kq::ApplyChange(
        root, Change(RegistryChange::Kind::SetValue, "HKEY_CURRENT_USER\\A", "a\nb", REG_SZ, "")));
    EXPECT_FALSE(kq::ApplyChange(
        root, Change(RegistryChange::Kind::CreateKey, "HKEY_CURRENT_USER\\line\nbreak")));
    EXPECT_FALSE(kq::ApplyChange(
        root, Change(RegistryChange::Kind::DeleteKey, "HKEY_CURRENT_USER\\Missing")));
    EXPECT_EQ(root.SubKeys().size(), 1u);
}

}  // namespace
