#include "tools/rc/Token.h"

namespace kq::rc {

std::string Location::ToString() const {
    return line > 0 ? file + ":" + std::to_string(line) : file;
}

bool Token::IsKeyword(std::string_view keyword) const {
    if (kind != TokenKind::Identifier || text.size() != keyword.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
        if (ch != keyword[i]) {
            return false;
        }
    }
    return true;
}

std::string Token::Describe() const {
    switch (kind) {
        case TokenKind::End:
            return "end of file";
        case TokenKind::String:
            return "a string";
        default:
            return "'" + text + "'";
    }
}

}  // namespace kq::rc
