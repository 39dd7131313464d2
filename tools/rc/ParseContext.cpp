#include "tools/rc/ParseContext.h"

namespace kq::rc {

namespace {

std::string UpperCase(std::string text) {
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

bool ParseContext::AcceptKeyword(std::string_view keyword) {
    if (!PeekKeyword(keyword)) {
        return false;
    }
    Next();
    return true;
}

bool ParseContext::Accept(char punct) {
    if (!Peek().Is(punct)) {
        return false;
    }
    Next();
    return true;
}

void ParseContext::Expect(char punct) {
    if (!Accept(punct)) {
        FailExpected(std::string("'") + punct + "'");
    }
}

void ParseContext::FailExpected(const std::string& what) {
    Fail(Peek().where, "expected " + what + " but found " + Peek().Describe());
}

std::string ParseContext::ExpectString() {
    if (Peek().kind != TokenKind::String) {
        FailExpected("a string");
    }
    std::string text = Next().text;
    while (Peek().kind == TokenKind::String) {
        text += Next().text;
    }
    return text;
}

uint32_t ParseContext::Value() {
    return evaluator_.Evaluate(source_);
}

int64_t ParseContext::ValueIn(int64_t low, int64_t high, const char* what) {
    const Location where = Peek().where;
    const uint32_t raw = Value();
    // Negative ranges read the value as signed; others as unsigned.
    const int64_t value =
        low < 0 ? static_cast<int64_t>(static_cast<int32_t>(raw)) : static_cast<int64_t>(raw);
    if (value < low || value > high) {
        // Shown signed: a value this large was almost always written as a negative number.
        Fail(where, std::string(what) + " " + std::to_string(static_cast<int32_t>(raw)) +
                        " is out of range (" + std::to_string(low) + " to " + std::to_string(high) +
                        ")");
    }
    return value;
}

uint32_t ParseContext::Style(uint32_t initial) {
    return evaluator_.EvaluateStyle(source_, initial);
}

void ParseContext::ExpectBlockStart() {
    if (!Accept('{') && !AcceptKeyword("BEGIN")) {
        FailExpected("BEGIN or '{'");
    }
}

bool ParseContext::BlockContinues(const Location& start) {
    if (Accept('}') || AcceptKeyword("END")) {
        return false;
    }
    if (AtEnd()) {
        Fail(Peek().where, "missing END of the block begun at line " + std::to_string(start.line));
    }
    return true;
}

ResName ParseContext::ResourceName() {
    const Token& token = Peek();
    if (token.kind == TokenKind::String) {
        return ResName{0, UpperCase(ExpectString())};
    }
    if (token.kind == TokenKind::Identifier && !evaluator_.IsSymbol(token.text)) {
        if (token.IsKeyword("BEGIN") || token.IsKeyword("END")) {
            FailExpected("a resource name");
        }
        return ResName{0, UpperCase(Next().text)};
    }
    return ResName{static_cast<uint16_t>(ValueIn(1, 0xFFFF, "resource id")), ""};
}

std::string ParseContext::ResourceReferenceText() {
    if (Peek().kind == TokenKind::String) {
        return ExpectString();
    }
    const ResName name = ResourceName();
    return name.IsNumber() ? "#" + std::to_string(name.number) : name.name;
}

void ParseContext::SkipLanguage() {
    ValueIn(0, 0x3FF, "language");
    Expect(',');
    ValueIn(0, 0x3F, "sublanguage");
}

}  // namespace kq::rc
