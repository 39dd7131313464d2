#include "tools/rc/Expression.h"

#include "tools/rc/Constants.h"

namespace kq::rc {

namespace {

// Deeper nesting than any script needs; hostile input must not exhaust the stack.
constexpr int kMaxDepth = 200;

class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

int DigitValue(char ch) {
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return 99;
}

}  // namespace

TokenListCursor::TokenListCursor(const std::vector<Token>& tokens, Location end) : tokens_(tokens) {
    end_.where = std::move(end);
}

const Token& TokenListCursor::Peek() {
    return index_ < tokens_.size() ? tokens_[index_] : end_;
}

Token TokenListCursor::Next() {
    return index_ < tokens_.size() ? tokens_[index_++] : end_;
}

std::optional<uint32_t> ParseNumber(std::string_view text) {
    size_t end = text.size();
    int suffixes = 0;
    while (end > 0 && suffixes < 3 &&
           (text[end - 1] == 'u' || text[end - 1] == 'U' || text[end - 1] == 'l' ||
            text[end - 1] == 'L')) {
        --end;
        ++suffixes;
    }
    std::string_view digits = text.substr(0, end);
    unsigned base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    } else if (digits.size() > 1 && digits[0] == '0') {
        base = 8;
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char ch : digits) {
        const auto digit = static_cast<unsigned>(DigitValue(ch));
        if (digit >= base) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(value);
}

void ExpressionEvaluator::Enter(const Token& at) {
    if (depth_ > kMaxDepth) {
        throw ScriptError(at.where, "expression nested too deeply");
    }
}

uint32_t ExpressionEvaluator::Evaluate(TokenCursor& tokens) {
    return Or(tokens);
}

uint32_t ExpressionEvaluator::EvaluateStyle(TokenCursor& tokens, uint32_t style) {
    do {
        if (tokens.Peek().IsKeyword("NOT")) {
            tokens.Next();
            style &= ~And(tokens);
        } else {
            style |= And(tokens);
        }
    } while (tokens.Peek().Is('|') && (tokens.Next(), true));
    return style;
}

uint32_t ExpressionEvaluator::Or(TokenCursor& tokens) {
    uint32_t value = And(tokens);
    while (tokens.Peek().Is('|')) {
        tokens.Next();
        value |= And(tokens);
    }
    return value;
}

uint32_t ExpressionEvaluator::And(TokenCursor& tokens) {
    uint32_t value = Sum(tokens);
    while (tokens.Peek().Is('&')) {
        tokens.Next();
        value &= Sum(tokens);
    }
    return value;
}

uint32_t ExpressionEvaluator::Sum(TokenCursor& tokens) {
    uint32_t value = Unary(tokens);
    while (tokens.Peek().Is('+') || tokens.Peek().Is('-')) {
        const bool plus = tokens.Next().Is('+');
        const uint32_t operand = Unary(tokens);
        value = plus ? value + operand : value - operand;
    }
    return value;
}

uint32_t ExpressionEvaluator::Unary(TokenCursor& tokens) {
    const Token& next = tokens.Peek();
    if (next.Is('-') || next.Is('~') || (next.Is('!') && mode_ == Mode::Condition)) {
        const Token op = tokens.Next();
        DepthGuard guard(depth_);
        Enter(op);
        const uint32_t operand = Unary(tokens);
        if (op.Is('-')) {
            return 0u - operand;
        }
        return op.Is('~') ? ~operand : static_cast<uint32_t>(operand == 0);
    }
    return Primary(tokens);
}

uint32_t ExpressionEvaluator::Primary(TokenCursor& tokens) {
    const Token token = tokens.Next();
    switch (token.kind) {
        case TokenKind::Number: {
            const std::optional<uint32_t> value = ParseNumber(token.text);
            if (!value) {
                throw ScriptError(token.where, "bad number '" + token.text + "'");
            }
            return *value;
        }
        case TokenKind::Identifier:
            if (token.IsKeyword("NOT")) {
                throw ScriptError(token.where, "NOT is only allowed before a style");
            }
            if (mode_ == Mode::Condition && token.text == "defined") {
                return DefinedOperator(tokens);
            }
            return Symbol(token);
        case TokenKind::Punct:
            if (token.Is('(')) {
                DepthGuard guard(depth_);
                Enter(token);
                const uint32_t value = Or(tokens);
                const Token close = tokens.Next();
                if (!close.Is(')')) {
                    throw ScriptError(close.where, "expected ')' but found " + close.Describe());
                }
                return value;
            }
            break;
        default:
            break;
    }
    throw ScriptError(token.where, "expected a number but found " + token.Describe());
}

uint32_t ExpressionEvaluator::DefinedOperator(TokenCursor& tokens) {
    const bool parenthesised = tokens.Peek().Is('(');
    if (parenthesised) {
        tokens.Next();
    }
    const Token name = tokens.Next();
    if (name.kind != TokenKind::Identifier) {
        throw ScriptError(name.where, "expected a name after 'defined'");
    }
    if (parenthesised) {
        const Token close = tokens.Next();
        if (!close.Is(')')) {
            throw ScriptError(close.where, "expected ')' but found " + close.Describe());
        }
    }
    return defines_.Has(name.text) ? 1 : 0;
}

bool ExpressionEvaluator::IsSymbol(const std::string& name) {
    return defines_.Has(name) || FindConstant(name).has_value();
}

uint32_t ExpressionEvaluator::Symbol(const Token& name) {
    Define* define = defines_.Find(name.text);
    if (!define) {
        if (std::optional<uint32_t> constant = FindConstant(name.text)) {
            return *constant;
        }
        if (mode_ == Mode::Condition) {
            return 0;
        }
        throw ScriptError(name.where, "undefined symbol '" + name.text + "'");
    }
    if (define->value && mode_ == Mode::Script) {
        return *define->value;
    }
    if (auto known = conditionValues_.find(define); known != conditionValues_.end()) {
        return known->second;
    }
    if (define->functionLike) {
        throw ScriptError(name.where, "'" + name.text + "' is a macro with arguments");
    }
    if (define->body.empty()) {
        throw ScriptError(name.where, "'" + name.text + "' is defined without a value");
    }
    if (define->evaluating) {
        throw ScriptError(name.where, "'" + name.text + "' is defined through itself");
    }
    DepthGuard guard(depth_);
    Enter(name);
    define->evaluating = true;
    try {
        TokenListCursor body(define->body, define->where);
        const uint32_t value = Or(body);
        if (body.Peek().kind != TokenKind::End) {
            throw ScriptError(body.Peek().where, "unexpected " + body.Peek().Describe() +
                                                     " in the value of '" + name.text + "'");
        }
        define->evaluating = false;
        // In #if lines unknown names count as 0, so those values are kept apart.
        if (mode_ == Mode::Script) {
            define->value = value;
        } else {
            conditionValues_[define] = value;
        }
        return value;
    } catch (...) {
        define->evaluating = false;
        throw;
    }
}

}  // namespace kq::rc
