#include "tools/rc/StatementParsers.h"

namespace kq::rc {

void SkipMemoryOptions(ParseContext& context) {
    static constexpr const char* kOptions[] = {"PRELOAD",  "LOADONCALL",  "FIXED",
                                               "MOVEABLE", "DISCARDABLE", "PURE",
                                               "IMPURE",   "SHARED",      "NONSHARED"};
    bool skipped = true;
    while (skipped) {
        skipped = false;
        for (const char* option : kOptions) {
            skipped = skipped || context.AcceptKeyword(option);
        }
    }
}

void SkipOptionalStatements(ParseContext& context) {
    while (context.AcceptKeyword("LANGUAGE")) {
        context.SkipLanguage();
    }
}

std::vector<LocatedString> ParseStringTable(ParseContext& context) {
    SkipMemoryOptions(context);
    SkipOptionalStatements(context);
    const Location start = context.Peek().where;
    context.ExpectBlockStart();
    std::vector<LocatedString> strings;
    while (context.BlockContinues(start)) {
        LocatedString string;
        string.where = context.Peek().where;
        string.entry.id = static_cast<uint16_t>(context.ValueIn(0, 0xFFFF, "string id"));
        context.Accept(',');
        string.entry.text = context.ExpectString();
        strings.push_back(std::move(string));
    }
    return strings;
}

}  // namespace kq::rc
