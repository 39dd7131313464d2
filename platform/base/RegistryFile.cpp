#include "platform/base/RegistryFile.h"

#include <optional>
#include <vector>

#include "platform/base/Registry.h"
#include "platform/base/RegistryChange.h"
#include "platform/base/StringFormat.h"
#include "platform/base/Utf16.h"

namespace kq {
namespace {

// Hex lines wrap before they pass this width, as the registry editor's do.
constexpr size_t kHexLineWidth = 77;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<uint32_t> ParseHexNumber(std::string_view s, size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return value;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The file's text as UTF-8.
std::string DecodeText(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return Utf16LeToUtf8(bytes.substr(2));
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return std::string(bytes);
}

// Reads a quoted string starting at s[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> ReadQuoted(std::string_view s, size_t& pos) {
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"'))
            ++pos;
        out += s[pos];
    }
    return std::nullopt;
}

bool ParseHexBytes(std::string_view list, std::string* bytes, std::string* error) {
    bytes->clear();
    list = TrimBlanks(list);
    if (list.empty())
        return true;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string_view item = TrimBlanks(list.substr(start, comma - start));
        const auto value = ParseHexNumber(item, 2);
        if (!value) {
            *error = Format("bad hex byte \"%s\"", item.substr(0, 16));
            return false;
        }
        *bytes += static_cast<char>(*value);
        if (comma == std::string_view::npos)
            return true;
        start = comma + 1;
    }
}

// String data in hex form is UTF-16LE text; data of odd length is taken as it is.
std::string HexStringData(const std::string& bytes) {
    return bytes.size() % 2 == 0 ? Utf16LeToUtf8(bytes) : bytes;
}

// Parses the data after '=' into the change (a deletion for "-").
bool ParseData(std::string_view data, RegistryChange* change, std::string* error) {
    data = TrimBlanks(data);
    change->kind = RegistryChange::Kind::SetValue;
    if (!data.empty() && data[0] == '"') {
        size_t pos = 0;
        auto text = ReadQuoted(data, pos);
        if (!text) {
            *error = "unterminated string";
            return false;
        }
        if (pos != data.size()) {
            *error = "text after the closing quote";
            return false;
        }
        change->type = REG_SZ;
        change->data = *text;
        return true;
    }
    if (data == "-") {
        change->kind = RegistryChange::Kind::DeleteValue;
        return true;
    }
    if (StartsWithNoCase(data, "dword:")) {
        const auto value = ParseHexNumber(TrimBlanks(data.substr(6)), 8);
        if (!value) {
            *error = "bad dword";
            return false;
        }
        change->type = REG_DWORD;
        change->data.clear();
        for (int i = 0; i < 4; ++i)
            change->data += static_cast<char>((*value >> (8 * i)) & 0xFF);
        return true;
    }
    DWORD type = REG_BINARY;
    size_t listStart = 0;
    if (StartsWithNoCase(data, "hex:")) {
        listStart = 4;
    } else if (StartsWithNoCase(data, "hex(")) {
        const size_t close = data.find("):");
        const auto value = close == std::string_view::npos
                               ? std::nullopt
                               : ParseHexNumber(data.substr(4, close - 4), 8);
        if (!value) {
            *error = "bad hex type";
            return false;
        }
        type = *value;
        listStart = close + 2;
    } else {
        *error = "unknown value data";
        return false;
    }
    if (!ParseHexBytes(data.substr(listStart), &change->data, error))
        return false;
    change->type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
        change->data = HexStringData(change->data);
    return true;
}

class Parser {
  public:
    Parser(std::string_view text, RegistryKey& root) : text_(text), root_(root) {}

    bool Run(std::string* error) {
        std::string_view line;
        if (!NextLine(&line))
            return Fail(error, "the file is empty");
        if (TrimBlanks(line) != kRegistryFileHeader)
            return Fail(error, "not a settings file (unknown first line)");
        while (NextLine(&line)) {
            line = TrimBlanks(line);
            if (line.empty() || line[0] == ';')
                continue;
            const bool ok = line[0] == '['                       ? Section(line)
                            : (line[0] == '"' || line[0] == '@') ? Value(line)
                                                                 : Problem("unexpected text");
            if (!ok)
                return Fail(error, problem_);
        }
        return true;
    }

  private:
    bool NextLine(std::string_view* line) {
        if (pos_ >= text_.size())
            return false;
        const size_t end = text_.find('\n', pos_);
        *line = text_.substr(pos_, end - pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++lineNumber_;
        return true;
    }

    bool Problem(std::string text) {
        problem_ = std::move(text);
        return false;
    }

    bool Fail(std::string* error, const std::string& what) const {
        if (error)
            *error = Format("line %d: %s", lineNumber_ > 0 ? lineNumber_ : 1, what);
        return false;
    }

    bool Section(std::string_view line) {
        const size_t close = line.rfind(']');
        if (close == std::string_view::npos)
            return Problem("key name without closing bracket");
        if (close != line.size() - 1)
            return Problem("text after the key name");
        std::string_view path = line.substr(1, close - 1);
        const bool remove = !path.empty() && path[0] == '-';
        if (remove)
            path.remove_prefix(1);
        if (!ValidKeyPath(path))
            return false;
        RegistryChange change;
        change.kind = remove ? RegistryChange::Kind::DeleteKey : RegistryChange::Kind::CreateKey;
        change.path = std::string(path);
        ApplyChange(root_, change);  // deleting a key that is not there is no error
        section_ = remove ? std::string() : change.path;
        return true;
    }

    bool ValidKeyPath(std::string_view path) {
        std::vector<std::string> parts;
        if (!SplitKeyPath(path, &parts) || parts.empty())
            return Problem("bad key name");
        if (CanonicalHiveName(parts[0]) == nullptr)
            return Problem("unknown root key");
        for (const std::string& part : parts) {
            if (!IsStorableName(part))
                return Problem("bad key name");
        }
        return true;
    }

    bool Value(std::string_view line) {
        if (section_.empty())
            return Problem("value outside a key");
        RegistryChange change;
        change.path = section_;
        size_t pos = 1;
        if (line[0] == '"') {
            pos = 0;
            auto name = ReadQuoted(line, pos);
            if (!name)
                return Problem("unterminated value name");
            change.name = std::move(*name);
        }
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return Problem("missing '=' after the value name");
        std::string data(line.substr(pos + 1));
        if (StartsWithNoCase(TrimBlanks(data), "hex")) {
            // Continued lines: a trailing backslash joins the next line, its indent dropped.
            for (;;) {
                const std::string_view trimmed = TrimBlanks(data);
                if (trimmed.empty() || trimmed.back() != '\\')
                    break;
                data = std::string(trimmed.substr(0, trimmed.size() - 1));
                std::string_view next;
                if (!NextLine(&next))
                    return Problem("file ends inside a continued line");
                data += TrimBlanks(next);
            }
        }
        std::string what;
        if (!ParseData(data, &change, &what))
            return Problem(what);
        if (!IsStorableName(change.name) || change.name.size() > kMaxValueNameLength)
            return Problem("bad value name");
        ApplyChange(root_, change);
        return true;
    }

    std::string_view text_;
    RegistryKey& root_;
    size_t pos_ = 0;
    int lineNumber_ = 0;
    std::string section_;
    std::string problem_;
};

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

void AppendHex(std::string& out, const std::string& prefix, std::string_view bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line = prefix;
    bool lineHasBytes = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::string item{kDigits[b >> 4], kDigits[b & 0xF]};
        if (i + 1 < bytes.size())
            item += ',';
        if (lineHasBytes && line.size() + item.size() > kHexLineWidth) {
            out += line + "\\\n";
            line = "  ";
        }
        line += item;
        lineHasBytes = true;
    }
    out += line + "\n";
}

void AppendValue(std::string& out, const RegistryValue& value) {
    const std::string name = value.name.empty() ? "@" : Quote(value.name);
    const std::string_view data = value.data;
    const std::string_view text = data.substr(0, data.find('\0'));
    switch (value.type) {
        case REG_SZ:
            if (text.find_first_of("\r\n") == std::string_view::npos) {
                out += name + "=" + Quote(text) + "\n";
                return;
            }
            AppendHex(out, name + "=hex(1):", Utf8ToUtf16Le(value.data));
            return;
        case REG_EXPAND_SZ:
            AppendHex(out, name + "=hex(2):", Utf8ToUtf16Le(value.data));
            return;
        case REG_MULTI_SZ:
            AppendHex(out, name + "=hex(7):", Utf8ToUtf16Le(value.data));
            return;
        case REG_BINARY:
            AppendHex(out, name + "=hex:", data);
            return;
        case REG_DWORD:
            if (data.size() == 4) {
                uint32_t v = 0;
                for (int i = 3; i >= 0; --i)
                    v = (v << 8) | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
                out += name + Format("=dword:%08x\n", v);
                return;
            }
            [[fallthrough]];
        default:
            AppendHex(out, name + Format("=hex(%x):", value.type), data);
            return;
    }
}

void AppendKey(std::string& out, const RegistryKey& key, bool isHive) {
    if (!isHive || !key.Values().empty()) {
        out += "[" + key.Path() + "]\n";
        for (const RegistryValue& value : key.Values())
            AppendValue(out, value);
        out += "\n";
    }
    for (const auto& sub : key.SubKeys())
        AppendKey(out, *sub, false);
}

}  // namespace

bool ParseRegistryFile(std::string_view bytes, RegistryKey& root, std::string* error) {
    const std::string text = DecodeText(bytes);
    return Parser(text, root).Run(error);
}

std::string FormatRegistryFile(const RegistryKey& root) {
    std::string out(kRegistryFileHeader);
    out += "\n\n";
    for (const auto& hive : root.SubKeys())
        AppendKey(out, *hive, true);
    return out;
}

}  // namespace kq
