#include <cstdint>

#include "tools/rc/StatementParsers.h"

namespace kq::rc {

namespace {

constexpr uint32_t kChildVisible = 0x40000000 | 0x10000000;  // WS_CHILD | WS_VISIBLE
// WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr uint32_t kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000;
constexpr uint32_t kCaption = 0x00C00000;  // WS_CAPTION
constexpr uint32_t kSetFont = 0x0040;      // DS_SETFONT
constexpr uint32_t kGroup = 0x00020000;    // WS_GROUP
constexpr uint32_t kTabStop = 0x00010000;  // WS_TABSTOP
constexpr uint32_t kBorder = 0x00800000;   // WS_BORDER

// How a control statement is written.
enum class Form {
    TextIdRect,  // KEYWORD "text", id, x, y, cx, cy [, style [, exstyle]]
    IdRect,      // KEYWORD id, x, y, cx, cy [, style [, exstyle]]
    Icon,        // ICON image, id, x, y [, cx, cy [, style [, exstyle]]]
    Generic,     // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
};

struct ControlKind {
    const char* keyword;
    const char* className;
    uint32_t defaultStyle;
    Form form;
};

constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", 0x0000 | kGroup, Form::TextIdRect},  // SS_LEFT
    {"RTEXT", "STATIC", 0x0002 | kGroup, Form::TextIdRect},  // SS_RIGHT
    {"CTEXT", "STATIC", 0x0001 | kGroup, Form::TextIdRect},  // SS_CENTER
    {"PUSHBUTTON", "BUTTON", 0x0000 | kTabStop, Form::TextIdRect},
    {"DEFPUSHBUTTON", "BUTTON", 0x0001 | kTabStop, Form::TextIdRect},
    {"GROUPBOX", "BUTTON", 0x0007, Form::TextIdRect},
    {"CHECKBOX", "BUTTON", 0x0002 | kTabStop, Form::TextIdRect},
    {"AUTOCHECKBOX", "BUTTON", 0x0003 | kTabStop, Form::TextIdRect},
    {"STATE3", "BUTTON", 0x0005 | kTabStop, Form::TextIdRect},
    {"AUTO3STATE", "BUTTON", 0x0006 | kTabStop, Form::TextIdRect},
    {"RADIOBUTTON", "BUTTON", 0x0004 | kTabStop, Form::TextIdRect},
    {"AUTORADIOBUTTON", "BUTTON", 0x0009 | kTabStop, Form::TextIdRect},
    {"EDITTEXT", "EDIT", 0x0000 | kBorder | kTabStop, Form::IdRect},  // ES_LEFT
    {"COMBOBOX", "COMBOBOX", 0x0001 | kTabStop, Form::IdRect},        // CBS_SIMPLE
    {"LISTBOX", "LISTBOX", 0x0001 | kBorder, Form::IdRect},           // LBS_NOTIFY
    {"SCROLLBAR", "SCROLLBAR", 0x0000, Form::IdRect},                 // SBS_HORZ
    {"ICON", "STATIC", 0x0003, Form::Icon},                           // SS_ICON
    {"CONTROL", "", 0, Form::Generic},
};

// The predefined classes a CONTROL statement may name without quotes.
constexpr const char* kClassKeywords[] = {"BUTTON",  "EDIT",      "STATIC",
                                          "LISTBOX", "SCROLLBAR", "COMBOBOX"};

const ControlKind* FindControlKind(const Token& token) {
    for (const ControlKind& kind : kControlKinds) {
        if (token.IsKeyword(kind.keyword)) {
            return &kind;
        }
    }
    return nullptr;
}

void ParseRect(ParseContext& context, Control& control) {
    control.x = context.Coordinate();
    context.Expect(',');
    control.y = context.Coordinate();
    context.Expect(',');
    control.cx = context.Coordinate();
    context.Expect(',');
    control.cy = context.Coordinate();
}

std::string ParseClassName(ParseContext& context) {
    if (context.Peek().kind == TokenKind::String) {
        return context.ExpectString();
    }
    for (const char* keyword : kClassKeywords) {
        if (context.AcceptKeyword(keyword)) {
            return keyword;
        }
    }
    context.FailExpected("a control class");
}

// The optional tail of a control: [, style [, exstyle [, help id]]]; a help id only in
// DIALOGEX, where it is accepted and not kept.
void ParseTail(ParseContext& context, Control& control, bool hasStyle, bool extended) {
    if (hasStyle && context.Accept(',')) {
        control.style = context.Style(control.style);
    } else if (hasStyle) {
        return;
    }
    if (context.Accept(',')) {
        control.exStyle = context.Style(0);
        if (extended && context.Accept(',')) {
            context.Value();
        }
    }
}

Control ParseControl(ParseContext& context, const ControlKind& kind, bool extended) {
    Control control;
    control.className = kind.className;
    control.style = kChildVisible | kind.defaultStyle;
    if (kind.form == Form::TextIdRect) {
        control.text = context.ExpectString();
        context.Expect(',');
    } else if (kind.form == Form::Icon || kind.form == Form::Generic) {
        control.text = context.ResourceReferenceText();
        context.Expect(',');
    }
    control.id = static_cast<int32_t>(context.ValueIn(INT32_MIN, INT32_MAX, "control id"));
    context.Expect(',');
    switch (kind.form) {
        case Form::TextIdRect:
        case Form::IdRect:
            ParseRect(context, control);
            ParseTail(context, control, true, extended);
            break;
        case Form::Icon:
            control.x = context.Coordinate();
            context.Expect(',');
            control.y = context.Coordinate();
            if (context.Accept(',')) {
                control.cx = context.Coordinate();
                context.Expect(',');
                control.cy = context.Coordinate();
                ParseTail(context, control, true, extended);
            }
            break;
        case Form::Generic:
            control.className = ParseClassName(context);
            context.Expect(',');
            control.style = context.Style(control.style);
            context.Expect(',');
            ParseRect(context, control);
            ParseTail(context, control, false, extended);
            break;
    }
    return control;
}

void ParseFont(ParseContext& context, Font& font) {
    font.pointSize = static_cast<uint16_t>(context.ValueIn(1, 0x7FFF, "font size"));
    context.Expect(',');
    font.face = context.ExpectString();
    if (context.Accept(',')) {
        font.weight = static_cast<uint16_t>(context.ValueIn(0, 1000, "font weight"));
        if (context.Accept(',')) {
            font.italic = context.ValueIn(0, 1, "italic flag") != 0;
            if (context.Accept(',')) {
                font.charset = static_cast<uint8_t>(context.ValueIn(0, 255, "character set"));
            }
        }
    }
}

}  // namespace

Dialog ParseDialog(ParseContext& context, ResName name, bool extended) {
    Dialog dialog;
    dialog.name = std::move(name);
    SkipMemoryOptions(context);
    dialog.x = context.Coordinate();
    context.Expect(',');
    dialog.y = context.Coordinate();
    context.Expect(',');
    dialog.cx = context.Coordinate();
    context.Expect(',');
    dialog.cy = context.Coordinate();
    if (extended && context.Accept(',')) {
        context.Value();  // help id
    }
    bool hasStyle = false;
    bool hasCaption = false;
    while (!context.Peek().Is('{') && !context.PeekKeyword("BEGIN")) {
        if (context.AtEnd()) {
            context.FailExpected("BEGIN or '{'");
        }
        const Token statement = context.Next();
        if (statement.IsKeyword("STYLE")) {
            dialog.style = context.Style(0);
            hasStyle = true;
        } else if (statement.IsKeyword("EXSTYLE")) {
            dialog.exStyle = context.Style(0);
        } else if (statement.IsKeyword("CAPTION")) {
            dialog.caption = context.ExpectString();
            hasCaption = true;
        } else if (statement.IsKeyword("FONT")) {
            ParseFont(context, dialog.font);
        } else if (statement.IsKeyword("MENU")) {
            dialog.menu = context.ResourceName();
        } else if (statement.IsKeyword("CLASS")) {
            dialog.className = context.ExpectString();
        } else if (statement.IsKeyword("LANGUAGE")) {
            context.SkipLanguage();
        } else {
            context.Fail(statement.where, "unknown dialog statement " + statement.Describe());
        }
    }
    if (!hasStyle) {
        dialog.style = kDefaultDialogStyle;
    }
    if (hasCaption) {
        dialog.style |= kCaption;
    }
    if (dialog.font.pointSize != 0) {
        dialog.style |= kSetFont;
    }
    const Location start = context.Peek().where;
    context.ExpectBlockStart();
    while (context.BlockContinues(start)) {
        const Token keyword = context.Next();
        const ControlKind* kind = FindControlKind(keyword);
        if (!kind) {
            context.Fail(keyword.where, "unknown control statement " + keyword.Describe());
        }
        dialog.controls.push_back(ParseControl(context, *kind, extended));
    }
    return dialog;
}

}  // namespace kq::rc
