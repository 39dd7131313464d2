#include "tools/rc/StatementParsers.h"

namespace kq::rc {

namespace {

// Deeper than any menu needs; hostile scripts must not exhaust the stack.
constexpr int kMaxMenuDepth = 16;

struct MenuOption {
    const char* keyword;
    uint32_t flag;
};

constexpr MenuOption kMenuOptions[] = {
    {"CHECKED", MenuItemTemplate::Checked},     {"GRAYED", MenuItemTemplate::Grayed},
    {"INACTIVE", MenuItemTemplate::Inactive},   {"MENUBARBREAK", MenuItemTemplate::MenuBarBreak},
    {"MENUBREAK", MenuItemTemplate::MenuBreak}, {"HELP", MenuItemTemplate::Help},
};

const MenuOption* FindOption(const Token& token) {
    for (const MenuOption& option : kMenuOptions) {
        if (token.IsKeyword(option.keyword)) {
            return &option;
        }
    }
    return nullptr;
}

// Options follow an item, separated by commas or blanks.
uint32_t ParseOptions(ParseContext& context) {
    uint32_t flags = 0;
    while (true) {
        const bool comma = context.Accept(',');
        const MenuOption* option = FindOption(context.Peek());
        if (!option) {
            if (comma) {
                context.FailExpected("a menu option");
            }
            return flags;
        }
        context.Next();
        flags |= option->flag;
    }
}

void ParseItems(ParseContext& context, std::vector<MenuItem>& items, int depth) {
    const Location start = context.Peek().where;
    if (depth > kMaxMenuDepth) {
        context.Fail(start, "menu nested too deeply");
    }
    context.ExpectBlockStart();
    while (context.BlockContinues(start)) {
        const Token keyword = context.Next();
        MenuItem item;
        if (keyword.IsKeyword("MENUITEM")) {
            if (context.AcceptKeyword("SEPARATOR")) {
                item.flags = MenuItemTemplate::Separator;
            } else {
                item.text = context.ExpectString();
                context.Expect(',');
                item.id = static_cast<uint16_t>(context.ValueIn(0, 0xFFFF, "menu item id"));
                item.flags = ParseOptions(context);
            }
        } else if (keyword.IsKeyword("POPUP")) {
            item.text = context.ExpectString();
            item.flags = ParseOptions(context) | MenuItemTemplate::Popup;
            ParseItems(context, item.children, depth + 1);
        } else {
            context.Fail(keyword.where,
                         "expected MENUITEM or POPUP but found " + keyword.Describe());
        }
        items.push_back(std::move(item));
    }
}

}  // namespace

Menu ParseMenu(ParseContext& context, ResName name) {
    Menu menu;
    menu.name = std::move(name);
    SkipMemoryOptions(context);
    SkipOptionalStatements(context);
    ParseItems(context, menu.items, 0);
    return menu;
}

}  // namespace kq::rc
