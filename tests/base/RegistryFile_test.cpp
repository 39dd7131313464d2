#include "platform/base/RegistryFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/base/Registry.h"
#include "platform/base/Utf16.h"

namespace {

using kq::RegistryKey;

std::shared_ptr<RegistryKey> NewRoot() {
    return std::make_shared<RegistryKey>("", nullptr);
}

std::shared_ptr<RegistryKey> Parse(const std::string& text, std::string* error = nullptr) {
    auto root = NewRoot();
    std::string reason;
    EXPECT_TRUE(kq::ParseRegistryFile(text, *root, &reason)) << reason;
    if (error)
        *error = reason;
    return root;
}

std::string ParseError(const std::string& text) {
    auto root = NewRoot();
    std::string reason;
    EXPECT_FALSE(kq::ParseRegistryFile(text, *root, &reason)) << text;
    return reason;
}

const kq::RegistryValue* Value(const RegistryKey& root, const std::string& path,
                               const std::string& name) {
    std::vector<std::string> parts;
    kq::SplitKeyPath(path, &parts);
    auto key = root.FindPath(parts);
    return key ? key->FindValue(name) : nullptr;
}

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";
const std::string kApp = "HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B";

TEST(RegistryFile, EveryTypeSurvivesAWriteAndARead) {
    auto root = NewRoot();
    std::vector<std::string> parts;
    kq::SplitKeyPath(kApp + "\\Settings", &parts);
    auto key = root->CreatePath(parts);
    const std::string binary300 = [] {
        std::string b;
        for (int i = 0; i < 300; ++i)
            b += static_cast<char>(i * 7);
        return b;
    }();
    key->SetValue("Quoted", REG_SZ, std::string("say \"hi\" C:\\dir\\\0", 17));
    key->SetValue("Utf8", REG_SZ, std::string("Größe 😀\0", 13));
    key->SetValue("Empty", REG_SZ, std::string("\0", 1));
    key->SetValue("Lines", REG_SZ, std::string("one\r\ntwo\0", 9));
    key->SetValue("", REG_SZ, std::string("default\0", 8));
    key->SetValue("Count", REG_DWORD, std::string("\x2a\0\0\x80", 4));
    key->SetValue("Short", REG_DWORD, std::string("\x01\x02", 2));
    key->SetValue("Big", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    key->SetValue("Path", REG_EXPAND_SZ, std::string("%HOME%/ü\0", 10));
    key->SetValue("List", REG_MULTI_SZ, std::string("a\0bé\0\0", 7));
    key->SetValue("Blob0", REG_BINARY, "");
    key->SetValue("Blob300", REG_BINARY, binary300);
    key->SetValue("None", REG_NONE, "\x01");
    key->SetValue("name \"with\" \\", REG_DWORD, std::string("\0\0\0\0", 4));
    kq::SplitKeyPath(kApp + "\\Empty Key", &parts);
    root->CreatePath(parts);

    const std::string text = kq::FormatRegistryFile(*root);
    auto back = Parse(text);
    EXPECT_EQ(kq::FormatRegistryFile(*back), text);
    for (const auto& original : key->Values()) {
        const auto* read = Value(*back, kApp + "\\Settings", original.name);
        ASSERT_NE(read, nullptr) << original.name;
        EXPECT_EQ(read->type, original.type) << original.name;
        EXPECT_EQ(read->data, original.data) << original.name;
        EXPECT_EQ(read->name, original.name);
    }
    EXPECT_EQ(back->FindPath({"HKEY_CURRENT_USER", "Software", "Brevan S.A.S.", "KQ7-B"})
                  ->SubKeys()
                  .size(),
              2u);  // the empty key is kept

    // The forms a person reading the file expects, and no line wider than 80 columns.
    EXPECT_NE(text.find("\"Quoted\"=\"say \\\"hi\\\" C:\\\\dir\\\\\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"Count\"=dword:8000002a\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"default\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"Blob0\"=hex:\n"), std::string::npos);
    EXPECT_NE(text.find("\"Big\"=hex(b):01,02,03,04,05,06,07,08\n"), std::string::npos);
    EXPECT_NE(text.find("\"Lines\"=hex(1):6f,00,6e,00"), std::string::npos);
    EXPECT_NE(text.find("\"Short\"=hex(4):01,02\n"), std::string::npos);
    EXPECT_NE(text.find("[" + kApp + "\\Empty Key]\n\n"), std::string::npos);
    std::istringstream lines(text);
    int continued = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
        if (!line.empty() && line.back() == '\\') {
            ++continued;
            EXPECT_EQ(line[line.size() - 2], ',');
        }
    }
    EXPECT_GE(continued, 300 / 25);
}

TEST(RegistryFile, ReadsWhatWindowsExports) {
    // A UTF-16LE export with byte-order mark, CRLF, a comment, a character outside the BMP, string
    // data in hex form (UTF-16LE), upper-case hex and deletion entries.
    const std::string export8 =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "; exported\r\n"
        "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B\\Language]\r\n"
        "\"Name\"=\"Français 𝄞\"\r\n"
        "\"Expand\"=hex(2):25,00,41,00,25,00,e4,00,00,00\r\n"
        "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"Mask\"=dword:0000FFFF\r\n"
        "\"Gone\"=\"x\"\r\n"
        "\"Gone\"=-\r\n"
        "\"Blob\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Old]\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
        "[-HKEY_CURRENT_USER\\Software\\NeverThere]\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lantronix\\CPR]\r\n"
        "\"Port\"=dword:00000001\r\n";
    const std::string utf16 = "\xFF\xFE" + kq::Utf8ToUtf16Le(export8);
    auto root = Parse(utf16);
    const std::string language = kApp + "\\Language";
    EXPECT_EQ(Value(*root, language, "name")->data, std::string("Français 𝄞\0", 15));
    EXPECT_EQ(Value(*root, language, "Expand")->type, REG_EXPAND_SZ);
    EXPECT_EQ(Value(*root, language, "Expand")->data, std::string("%A%ä\0", 6));
    EXPECT_EQ(Value(*root, language, "Multi")->data, std::string("a\0b\0\0", 5));
    EXPECT_EQ(Value(*root, language, "Mask")->data, std::string("\xFF\xFF\0\0", 4));
    EXPECT_EQ(Value(*root, language, "Gone"), nullptr);
    EXPECT_EQ(Value(*root, language, "Blob")->data, "\x01\x02\x03");
    EXPECT_EQ(root->FindPath({"HKEY_CURRENT_USER", "Software", "Old"}), nullptr);
    EXPECT_NE(Value(*root, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lantronix\\CPR", "Port"), nullptr);

    // The same file as UTF-8 (with a byte-order mark, as editors save it) reads the same.
    auto again = Parse("\xEF\xBB\xBF" + export8);
    EXPECT_EQ(kq::FormatRegistryFile(*again), kq::FormatRegistryFile(*root));
}

TEST(RegistryFile, DamageIsReportedWithItsLine) {
    EXPECT_EQ(ParseError(""), "line 1: the file is empty");
    EXPECT_EQ(ParseError("REGEDIT5\n"), "line 1: not a settings file (unknown first line)");
    EXPECT_EQ(ParseError("\xFE\xFF\x00W"), "line 1: not a settings file (unknown first line)");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,0g\n"),
              "line 4: bad hex byte \"0g\"");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,,02\n"),
              "line 4: bad hex byte \"\"");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:123\n"),
              "line 4: bad hex byte \"123\"");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=dword:123456789\n"),
              "line 4: bad dword");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex(zz):00\n"),
              "line 4: bad hex type");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=text\n"),
              "line 4: unknown value data");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"x\" y\n"),
              "line 4: text after the closing quote");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\" \"x\"\n"),
              "line 4: missing '=' after the value name");
    EXPECT_EQ(ParseError(kHeader + "\"v\"=dword:1\n"), "line 3: value outside a key");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_NOWHERE\\A]\n"), "line 3: unknown root key");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\\\A]\n"), "line 3: bad key name");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A] x\n"),
              "line 3: text after the key name");
    EXPECT_EQ(ParseError(kHeader + "junk\n"), "line 3: unexpected text");
    // Truncation: inside a key name, a string, or a continued hex list.
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A"),
              "line 3: key name without closing bracket");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"abc"),
              "line 4: unterminated string");
    EXPECT_EQ(ParseError(kHeader + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,02,\\\n"),
              "line 4: file ends inside a continued line");
    // Deeper than Windows allows: refused before it could exhaust a recursive walk.
    std::string deep = "[HKEY_CURRENT_USER";
    for (int i = 0; i < 600; ++i)
        deep += "\\k";
    EXPECT_EQ(ParseError(kHeader + deep + "]\n"), "line 3: bad key name");
}

}  // namespace
