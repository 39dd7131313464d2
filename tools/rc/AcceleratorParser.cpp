#include <map>
#include <utility>

#include "tools/rc/StatementParsers.h"
#include "tools/rc/Utf8.h"

namespace kq::rc {

namespace {

struct AcceleratorOption {
    const char* keyword;
    uint8_t flag;
};

constexpr uint8_t kAsciiMark = 0x80;  // ASCII written out; never stored

constexpr AcceleratorOption kOptions[] = {
    {"ASCII", kAsciiMark},
    {"VIRTKEY", AcceleratorEntry::VirtKey},
    {"NOINVERT", AcceleratorEntry::NoInvert},
    {"ALT", AcceleratorEntry::Alt},
    {"SHIFT", AcceleratorEntry::Shift},
    {"CONTROL", AcceleratorEntry::Control},
};

const AcceleratorOption* FindOption(const Token& token) {
    for (const AcceleratorOption& option : kOptions) {
        if (token.IsKeyword(option.keyword)) {
            return &option;
        }
    }
    return nullptr;
}

uint8_t ParseOptions(ParseContext& context) {
    uint8_t flags = 0;
    while (true) {
        const bool comma = context.Accept(',');
        const AcceleratorOption* option = FindOption(context.Peek());
        if (!option) {
            if (comma) {
                context.FailExpected("an accelerator option");
            }
            return flags;
        }
        context.Next();
        flags |= option->flag;
    }
}

// The key of a quoted event: "A" (a character, or with VIRTKEY the key of that letter or
// digit) or "^A" (Ctrl+A as the character it types, 1).
uint16_t KeyFromText(ParseContext& context, const std::string& text, bool virtKey,
                     const Location& where) {
    if (text.size() == 2 && text[0] == '^') {
        const char letter = text[1];
        if (virtKey) {
            context.Fail(where, "\"^\" keys cannot be VIRTKEY; write \"" + text.substr(1) +
                                    "\", VIRTKEY, CONTROL");
        }
        if (letter >= 'a' && letter <= 'z') {
            return static_cast<uint16_t>(letter - 'a' + 1);
        }
        if (letter >= '@' && letter <= '_') {
            return static_cast<uint16_t>(letter - '@');
        }
        context.Fail(where, "no control character for \"" + text + "\"");
    }
    const std::optional<uint32_t> codePoint = SingleCodePoint(text);
    if (!codePoint || *codePoint > 0xFFFF) {
        context.Fail(where, "an accelerator key is one character");
    }
    if (!virtKey) {
        return static_cast<uint16_t>(*codePoint);
    }
    if (*codePoint >= 'a' && *codePoint <= 'z') {
        return static_cast<uint16_t>(*codePoint - 'a' + 'A');
    }
    if ((*codePoint >= 'A' && *codePoint <= 'Z') || (*codePoint >= '0' && *codePoint <= '9')) {
        return static_cast<uint16_t>(*codePoint);
    }
    context.Fail(where, "a VIRTKEY key in quotes must be a letter or a digit");
}

}  // namespace

AcceleratorTable ParseAccelerators(ParseContext& context, ResName name) {
    AcceleratorTable table;
    table.name = std::move(name);
    SkipMemoryOptions(context);
    SkipOptionalStatements(context);
    const Location start = context.Peek().where;
    context.ExpectBlockStart();
    std::map<std::pair<uint8_t, uint16_t>, Location> seen;
    while (context.BlockContinues(start)) {
        const Token event = context.Peek();
        std::string text;
        uint32_t code = 0;
        if (event.kind == TokenKind::String) {
            text = context.ExpectString();
        } else {
            code = static_cast<uint32_t>(context.ValueIn(0, 0xFFFF, "key code"));
        }
        context.Expect(',');
        Accelerator entry;
        entry.cmd = static_cast<uint16_t>(context.ValueIn(0, 0xFFFF, "command id"));
        const uint8_t options = ParseOptions(context);
        const bool virtKey = (options & AcceleratorEntry::VirtKey) != 0;
        if (virtKey && (options & kAsciiMark)) {
            context.Fail(event.where, "an accelerator is either ASCII or VIRTKEY");
        }
        if (!virtKey && (options & (AcceleratorEntry::Shift | AcceleratorEntry::Control))) {
            context.Fail(event.where, "SHIFT and CONTROL need VIRTKEY");
        }
        if (event.kind == TokenKind::String) {
            entry.key = KeyFromText(context, text, virtKey, event.where);
        } else {
            if (!virtKey && event.kind == TokenKind::Identifier &&
                event.text.rfind("VK_", 0) == 0) {
                context.Fail(event.where, "'" + event.text + "' needs VIRTKEY");
            }
            entry.key = static_cast<uint16_t>(code);
        }
        entry.flags = options & ~kAsciiMark;
        const auto key = std::make_pair(
            static_cast<uint8_t>(entry.flags & ~AcceleratorEntry::NoInvert), entry.key);
        if (auto [found, added] = seen.emplace(key, event.where); !added) {
            context.Fail(event.where,
                         "duplicate accelerator key (first at " + found->second.ToString() + ")");
        }
        table.entries.push_back(entry);
    }
    return table;
}

}  // namespace kq::rc
