#include "platform/base/RegistryJournal.h"

#include <array>
#include <cstdint>
#include <optional>

#include "platform/base/StringFormat.h"

namespace kq {
namespace {

constexpr std::string_view kMagic = "KQ7B-JOURNAL 1 ";

uint32_t Crc32(std::string_view data) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : data)
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string EncodeField(std::string_view text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out = "=";
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x21 || b == 0x7F || b == '%') {
            out += '%';
            out += kDigits[b >> 4];
            out += kDigits[b & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> DecodeField(std::string_view field) {
    if (field.empty() || field[0] != '=')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            return std::nullopt;
        const int hi = HexValue(field[i + 1]), lo = HexValue(field[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::optional<uint32_t> ParseNumber(std::string_view text, int base, size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int d = HexValue(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    if (value > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

bool IsKnownKind(char c) {
    switch (static_cast<RegistryChange::Kind>(c)) {
        case RegistryChange::Kind::CreateKey:
        case RegistryChange::Kind::SetValue:
        case RegistryChange::Kind::DeleteValue:
        case RegistryChange::Kind::DeleteKey:
        case RegistryChange::Kind::ClearKey:
            return true;
    }
    return false;
}

std::optional<RegistryChange> DecodeEntry(std::string_view line) {
    const size_t lastSpace = line.rfind(' ');
    if (lastSpace == std::string_view::npos)
        return std::nullopt;
    const auto crc = ParseNumber(line.substr(lastSpace + 1), 16, 8);
    if (!crc || *crc != Crc32(line.substr(0, lastSpace)))
        return std::nullopt;
    std::vector<std::string_view> fields;
    for (size_t start = 0; start <= lastSpace;) {
        const size_t space = line.find(' ', start);
        fields.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    if (fields.size() != 5 || fields[0].size() != 1 || !IsKnownKind(fields[0][0]))
        return std::nullopt;
    RegistryChange change;
    change.kind = static_cast<RegistryChange::Kind>(fields[0][0]);
    auto path = DecodeField(fields[1]);
    auto name = DecodeField(fields[2]);
    auto type = ParseNumber(fields[3], 10, 10);
    auto data = DecodeField(fields[4]);
    if (!path || !name || !type || !data)
        return std::nullopt;
    change.path = std::move(*path);
    change.name = std::move(*name);
    change.type = *type;
    change.data = std::move(*data);
    return change;
}

}  // namespace

std::string JournalHeader(const std::string& fileIdentity) {
    return std::string(kMagic) + EncodeField(fileIdentity) + "\n";
}

std::string EncodeJournalEntry(const RegistryChange& change) {
    std::string line(1, static_cast<char>(change.kind));
    line += ' ' + EncodeField(change.path);
    line += ' ' + EncodeField(change.name);
    line += ' ' + std::to_string(change.type);
    line += ' ' + EncodeField(change.data);
    line += Format(" %08x\n", Crc32(line));
    return line;
}

JournalContents ParseJournal(std::string_view text) {
    JournalContents contents;
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            ++contents.badLines;  // torn last line
            break;
        }
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            first = false;
            if (line.substr(0, kMagic.size()) == kMagic) {
                if (auto identity = DecodeField(line.substr(kMagic.size()))) {
                    contents.hasHeader = true;
                    contents.identity = std::move(*identity);
                    continue;
                }
            }
            // Without its header the journal cannot be tied to a file; nothing in it applies.
            return contents;
        }
        if (auto change = DecodeEntry(line))
            contents.changes.push_back(std::move(*change));
        else if (!line.empty())
            ++contents.badLines;
    }
    return contents;
}

}  // namespace kq
