// Integer expressions of a script: numbers, #define'd names and built-in constants combined with
// + - | & ~ and parentheses, and the style lists of dialogs and controls, where NOT removes a
// style. Arithmetic is 32-bit unsigned and wraps, as the values end up in 32-bit fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/rc/DefineTable.h"
#include "tools/rc/Token.h"

namespace kq::rc {

class TokenCursor {
  public:
    virtual ~TokenCursor() = default;
    virtual const Token& Peek() = 0;
    virtual Token Next() = 0;
};

// A cursor over a list (a #define's body, a directive's line); at its end it yields an End
// token placed at `end`.
class TokenListCursor final : public TokenCursor {
  public:
    TokenListCursor(const std::vector<Token>& tokens, Location end);
    const Token& Peek() override;
    Token Next() override;

  private:
    const std::vector<Token>& tokens_;
    size_t index_ = 0;
    Token end_;
};

// Decimal, 0x hexadecimal or 0-prefixed octal, with optional U/L suffixes, up to 0xFFFFFFFF.
std::optional<uint32_t> ParseNumber(std::string_view text);

class ExpressionEvaluator {
  public:
    // In #if lines an unknown name is 0 and `defined NAME` is allowed, as in C.
    enum class Mode { Script, Condition };

    explicit ExpressionEvaluator(DefineTable& defines, Mode mode = Mode::Script)
        : defines_(defines), mode_(mode) {}

    uint32_t Evaluate(TokenCursor& tokens);
    // Terms separated by '|' applied in order to `style`: a term sets its bits, NOT term clears
    // them.
    uint32_t EvaluateStyle(TokenCursor& tokens, uint32_t style);
    // Whether a name has a value: a #define or a built-in constant.
    bool IsSymbol(const std::string& name);

  private:
    uint32_t Or(TokenCursor& tokens);
    uint32_t And(TokenCursor& tokens);
    uint32_t Sum(TokenCursor& tokens);
    uint32_t Unary(TokenCursor& tokens);
    uint32_t Primary(TokenCursor& tokens);
    uint32_t Symbol(const Token& name);
    uint32_t DefinedOperator(TokenCursor& tokens);
    void Enter(const Token& at);

    DefineTable& defines_;
    Mode mode_;
    int depth_ = 0;
    // Values of names met in one #if line; a script's values are kept in the table itself.
    std::unordered_map<const Define*, uint32_t> conditionValues_;
};

}  // namespace kq::rc
