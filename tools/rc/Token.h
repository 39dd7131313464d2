// Tokens of a resource script and where they come from.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kq::rc {

struct Location {
    std::string file;
    int line = 0;  // 0 when the fault concerns the whole file

    // "file:line" (or "file" for line 0), the prefix of every message about the script.
    std::string ToString() const;
};

enum class TokenKind { End, Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::End;
    // The spelling of an identifier or number, the decoded bytes of a string, the character of
    // a punctuation mark.
    std::string text;
    Location where;
    bool firstOnLine = false;  // a '#' here begins a directive

    bool Is(char punct) const {
        return kind == TokenKind::Punct && text.size() == 1 && text[0] == punct;
    }
    // Keywords of the script language ignore case, as the Windows compiler's do.
    bool IsKeyword(std::string_view keyword) const;
    // The token as a message names it: 'NAME', "a string", "end of file".
    std::string Describe() const;
};

// A fault in a script. what() is "file:line: message".
class ScriptError : public std::runtime_error {
  public:
    ScriptError(const Location& where, const std::string& message)
        : std::runtime_error(where.ToString() + ": " + message) {}
};

}  // namespace kq::rc
