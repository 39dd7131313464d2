// Splits the text of one script or header into tokens. Comments and white space vanish; strings
// arrive decoded (C escapes, "" for a quote) and checked to be UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "tools/rc/Token.h"

namespace kq::rc {

class Lexer {
  public:
    // The text must outlive the lexer. firstLine numbers the text's first line (a directive's
    // remainder is lexed on its own line).
    Lexer(std::string_view text, std::string file, int firstLine = 1);

    Token Next();
    // The rest of the current line after a directive's '#': continuation lines joined,
    // comments blanked. Consumes the line end.
    std::string RestOfLine();

    // Skipped blocks and headers may hold text that is no resource script; there an
    // unterminated string ends at the line end, and stray characters and bad escapes pass.
    void SetTolerant(bool tolerant) { tolerant_ = tolerant; }

  private:
    char At(size_t pos) const { return pos < text_.size() ? text_[pos] : '\0'; }
    Location Here() const { return {file_, line_}; }
    void SkipSpaceAndComments();
    void SkipBlockComment();
    Token LexString(Token token);
    void LexEscape(std::string& out);

    std::string_view text_;
    size_t pos_ = 0;
    std::string file_;
    int line_;
    bool atLineStart_ = true;
    bool tolerant_ = false;
};

}  // namespace kq::rc
