#include "tools/rc/Lexer.h"

#include <cstdio>
#include <cstring>

#include "tools/rc/Utf8.h"

namespace kq::rc {

namespace {

bool IsIdentifierStart(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

bool IsIdentifierChar(char ch) {
    return IsIdentifierStart(ch) || IsDigit(ch);
}

int HexValue(char ch) {
    if (IsDigit(ch)) {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return -1;
}

constexpr const char* kPunctuation = "{}(),|+-&~!=<>*/^.:;?[]%#";

std::string Printable(char ch) {
    if (ch > ' ' && ch < 0x7F) {
        return std::string("'") + ch + "'";
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(ch));
    return hex;
}

}  // namespace

Lexer::Lexer(std::string_view text, std::string file, int firstLine)
    : text_(text), file_(std::move(file)), line_(firstLine) {}

void Lexer::SkipBlockComment() {
    const Location start = Here();
    pos_ += 2;
    while (pos_ < text_.size() && !(text_[pos_] == '*' && At(pos_ + 1) == '/')) {
        if (text_[pos_] == '\n') {
            ++line_;
        }
        ++pos_;
    }
    if (pos_ >= text_.size()) {
        throw ScriptError(start, "unterminated comment");
    }
    pos_ += 2;
}

void Lexer::SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
        const char ch = text_[pos_];
        if (ch == '\n') {
            ++line_;
            ++pos_;
            atLineStart_ = true;
        } else if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\f' || ch == '\v') {
            ++pos_;
        } else if (ch == '\\' &&
                   (At(pos_ + 1) == '\n' || (At(pos_ + 1) == '\r' && At(pos_ + 2) == '\n'))) {
            pos_ += At(pos_ + 1) == '\r' ? 2 : 1;  // a continued line is one line
        } else if (ch == '/' && At(pos_ + 1) == '/') {
            while (pos_ < text_.size() && text_[pos_] != '\n') {
                ++pos_;
            }
        } else if (ch == '/' && At(pos_ + 1) == '*') {
            SkipBlockComment();
        } else {
            return;
        }
    }
}

Token Lexer::Next() {
    SkipSpaceAndComments();
    Token token;
    token.where = Here();
    token.firstOnLine = atLineStart_;
    atLineStart_ = false;
    if (pos_ >= text_.size()) {
        return token;
    }
    const char ch = text_[pos_];
    if (ch == '"' || ((ch == 'L' || ch == 'l') && At(pos_ + 1) == '"')) {
        if (ch != '"') {
            ++pos_;  // wide strings are the same UTF-8 text here
        }
        return LexString(std::move(token));
    }
    if (IsIdentifierStart(ch) || IsDigit(ch)) {
        token.kind = IsDigit(ch) ? TokenKind::Number : TokenKind::Identifier;
        const size_t start = pos_;
        while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) {
            ++pos_;
        }
        token.text.assign(text_.substr(start, pos_ - start));
        return token;
    }
    if (ch == '\0' || !std::strchr(kPunctuation, ch)) {
        if (!tolerant_) {
            throw ScriptError(token.where, "unexpected character " + Printable(ch));
        }
    }
    token.kind = TokenKind::Punct;
    token.text.assign(1, ch);
    ++pos_;
    return token;
}

void Lexer::LexEscape(std::string& out) {
    const Location where = Here();
    const char ch = At(pos_);
    ++pos_;
    switch (ch) {
        case 'n':
            out += '\n';
            return;
        case 't':
            out += '\t';
            return;
        case 'r':
            out += '\r';
            return;
        case 'a':
            out += '\a';
            return;
        case '\\':
        case '"':
        case '\'':
            out += ch;
            return;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && HexValue(At(pos_)) >= 0) {
                value = value * 16 + HexValue(At(pos_));
                ++pos_;
                ++digits;
            }
            if (digits > 0) {
                out += static_cast<char>(value);
                return;
            }
            break;
        }
        default:
            break;
    }
    if (!tolerant_) {
        throw ScriptError(where, "unknown escape sequence '\\" + std::string(1, ch) + "'");
    }
    out += ch;
}

Token Lexer::LexString(Token token) {
    token.kind = TokenKind::String;
    ++pos_;  // opening quote
    while (true) {
        const char ch = At(pos_);
        if (pos_ >= text_.size() || ch == '\n' || (ch == '\r' && At(pos_ + 1) == '\n')) {
            if (tolerant_) {
                return token;
            }
            throw ScriptError(token.where, "unterminated string");
        }
        ++pos_;
        if (ch == '"') {
            if (At(pos_) != '"') {
                break;
            }
            ++pos_;  // "" stands for one quote
            token.text += '"';
        } else if (ch == '\\') {
            LexEscape(token.text);
        } else {
            token.text += ch;
        }
    }
    if (!tolerant_ && !IsValidUtf8(token.text)) {
        throw ScriptError(token.where, "string is not valid UTF-8");
    }
    return token;
}

std::string Lexer::RestOfLine() {
    std::string line;
    while (pos_ < text_.size()) {
        const char ch = text_[pos_];
        if (ch == '\n') {
            ++pos_;
            ++line_;
            break;
        }
        if (ch == '\\' &&
            (At(pos_ + 1) == '\n' || (At(pos_ + 1) == '\r' && At(pos_ + 2) == '\n'))) {
            pos_ += At(pos_ + 1) == '\r' ? 3 : 2;
            ++line_;
            line += ' ';
        } else if (ch == '/' && At(pos_ + 1) == '/') {
            while (pos_ < text_.size() && text_[pos_] != '\n') {
                ++pos_;
            }
        } else if (ch == '/' && At(pos_ + 1) == '*') {
            SkipBlockComment();
            line += ' ';
        } else if (ch == '"') {
            // Copied whole, so that "//" inside a quoted name is no comment.
            line += ch;
            ++pos_;
            while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\n') {
                if (text_[pos_] == '\\' && At(pos_ + 1) == '"') {
                    line += text_[pos_++];
                }
                line += text_[pos_++];
            }
            if (At(pos_) == '"') {
                line += text_[pos_++];
            }
        } else {
            line += ch;
            ++pos_;
        }
    }
    atLineStart_ = true;
    return line;
}

}  // namespace kq::rc
