// The statement parsers' view of a script: its tokens, the expression evaluator, and the small
// rules every statement shares (blocks, strings, numbers in range, resource names).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/rc/Expression.h"
#include "tools/rc/Preprocessor.h"
#include "tools/rc/ScriptModel.h"

namespace kq::rc {

class ParseContext {
  public:
    explicit ParseContext(Preprocessor& source) : source_(source), evaluator_(source.Defines()) {}

    Preprocessor& Source() { return source_; }
    const Token& Peek() { return source_.Peek(); }
    Token Next() { return source_.Next(); }
    bool AtEnd() { return Peek().kind == TokenKind::End; }

    // Keywords are given in upper case.
    bool PeekKeyword(std::string_view keyword) { return Peek().IsKeyword(keyword); }
    bool AcceptKeyword(std::string_view keyword);
    bool Accept(char punct);
    void Expect(char punct);

    // One string, or several written side by side, joined.
    std::string ExpectString();
    uint32_t Value();
    // A value within [low, high]; `what` names it in the message otherwise.
    int64_t ValueIn(int64_t low, int64_t high, const char* what);
    int16_t Coordinate() { return static_cast<int16_t>(ValueIn(-32768, 32767, "coordinate")); }
    uint32_t Style(uint32_t initial);

    // BEGIN or '{'.
    void ExpectBlockStart();
    // False after consuming the END or '}' of a block begun at `start`; a ScriptError at the end
    // of the file.
    bool BlockContinues(const Location& start);

    // A resource's own name: a number (or a #define'd name) or a text.
    ResName ResourceName();
    // A reference to a resource in a control's text: the name, or "#<number>".
    std::string ResourceReferenceText();
    // LANGUAGE lang, sublang: accepted and passed over, as ids already separate the languages.
    void SkipLanguage();

    [[noreturn]] void Fail(const Location& where, const std::string& message) {
        throw ScriptError(where, message);
    }
    [[noreturn]] void FailExpected(const std::string& what);

  private:
    Preprocessor& source_;
    ExpressionEvaluator evaluator_;
};

}  // namespace kq::rc
