#include "tools/rc/Preprocessor.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kq::rc {

namespace {

// Includes deeper than this are taken for a cycle.
constexpr size_t kMaxIncludeDepth = 32;

bool IsHeader(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension == ".h" || extension == ".hpp" || extension == ".hh";
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Splits "name rest" of a directive line.
std::pair<std::string, std::string> SplitWord(const std::string& line) {
    const std::string text = Trim(line);
    size_t end = 0;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
        ++end;
    }
    return {text.substr(0, end), text.substr(end)};
}

std::vector<Token> LexAll(const std::string& text, const Location& where, bool tolerant) {
    Lexer lexer(text, where.file, where.line);
    lexer.SetTolerant(tolerant);
    std::vector<Token> tokens;
    for (Token token = lexer.Next(); token.kind != TokenKind::End; token = lexer.Next()) {
        tokens.push_back(std::move(token));
    }
    return tokens;
}

}  // namespace

Preprocessor::Preprocessor(FileSource& files, std::vector<std::string> includeDirs)
    : files_(files), includeDirs_(std::move(includeDirs)) {}

void Preprocessor::Open(const std::string& path) {
    std::optional<std::string> text = files_.Read(path);
    if (!text) {
        throw ScriptError({path, 0}, "cannot open the script");
    }
    Push(path, std::move(*text), {path, 0});
}

void Preprocessor::AddDependency(const std::string& path) {
    if (std::find(dependencies_.begin(), dependencies_.end(), path) == dependencies_.end()) {
        dependencies_.push_back(path);
    }
}

void Preprocessor::Push(const std::string& path, std::string text, const Location& includedAt) {
    if (frames_.size() >= kMaxIncludeDepth) {
        throw ScriptError(includedAt, "#include nested too deeply (a file including itself?)");
    }
    if (text.size() >= 2 &&
        ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
        throw ScriptError({path, 1}, "the file is UTF-16; scripts are read as UTF-8");
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    AddDependency(path);
    Frame frame;
    frame.path = path;
    frame.text = std::make_unique<std::string>(std::move(text));
    frame.lexer = std::make_unique<Lexer>(*frame.text, path);
    frame.headerOnly = IsHeader(path);
    frame.conditionalBase = conditionals_.size();
    frames_.push_back(std::move(frame));
}

void Preprocessor::Pop() {
    const Frame& frame = frames_.back();
    if (conditionals_.size() > frame.conditionalBase) {
        throw ScriptError(conditionals_[frame.conditionalBase].where,
                          "#if without #endif in this file");
    }
    frames_.pop_back();
}

bool Preprocessor::ParentActive() const {
    return conditionals_.size() < 2 || conditionals_[conditionals_.size() - 2].active;
}

const Token& Preprocessor::Peek() {
    if (!peeked_) {
        peeked_ = Produce();
    }
    return *peeked_;
}

Token Preprocessor::Next() {
    if (peeked_) {
        Token token = std::move(*peeked_);
        peeked_.reset();
        return token;
    }
    return Produce();
}

Token Preprocessor::Produce() {
    while (!frames_.empty()) {
        Frame& frame = frames_.back();
        frame.lexer->SetTolerant(frame.headerOnly || Skipping());
        Token token = frame.lexer->Next();
        if (token.kind == TokenKind::End) {
            lastLocation_ = token.where;
            Pop();
            continue;
        }
        if (token.Is('#') && token.firstOnLine) {
            Directive(token);
            continue;
        }
        if (Skipping() || frame.headerOnly) {
            continue;
        }
        lastLocation_ = token.where;
        return token;
    }
    Token end;
    end.where = lastLocation_;
    return end;
}

void Preprocessor::Directive(const Token& hash) {
    Frame& frame = frames_.back();
    const std::string line = frame.lexer->RestOfLine();
    const auto [name, argument] = SplitWord(line);
    const Location& where = hash.where;
    if (name == "if" || name == "ifdef" || name == "ifndef") {
        Conditional conditional;
        conditional.where = where;
        const bool parentActive = !Skipping();
        bool holds = false;
        if (parentActive) {
            if (name == "if") {
                holds = Condition(argument, where);
            } else {
                const std::string symbol = SplitWord(argument).first;
                if (symbol.empty()) {
                    throw ScriptError(where, "#" + name + " needs a name");
                }
                holds = defines_.Has(symbol) == (name == "ifdef");
            }
        }
        conditional.active = parentActive && holds;
        conditional.taken = conditional.active;
        conditionals_.push_back(conditional);
        return;
    }
    if (name == "else" || name == "endif") {
        if (conditionals_.size() <= frame.conditionalBase) {
            throw ScriptError(where, "#" + name + " without #if");
        }
        Conditional& conditional = conditionals_.back();
        if (name == "endif") {
            conditionals_.pop_back();
            return;
        }
        if (conditional.sawElse) {
            throw ScriptError(where, "second #else for one #if");
        }
        conditional.sawElse = true;
        conditional.active = ParentActive() && !conditional.taken;
        conditional.taken = conditional.taken || conditional.active;
        return;
    }
    if (Skipping() || name.empty() || name == "pragma") {
        return;  // a null directive; pragmas (code_page, ...) change nothing here
    }
    if (name == "include") {
        Include(Trim(argument), where);
    } else if (name == "define") {
        DefineName(argument, where, frame.headerOnly);
    } else {
        throw ScriptError(where, "unknown directive '#" + name + "'");
    }
}

bool Preprocessor::Condition(const std::string& argument, const Location& where) {
    const std::vector<Token> tokens = LexAll(argument, where, false);
    if (tokens.empty()) {
        throw ScriptError(where, "#if needs a condition");
    }
    TokenListCursor cursor(tokens, where);
    ExpressionEvaluator evaluator(defines_, ExpressionEvaluator::Mode::Condition);
    const uint32_t value = evaluator.Evaluate(cursor);
    if (cursor.Peek().kind != TokenKind::End) {
        throw ScriptError(where, "unexpected " + cursor.Peek().Describe() + " in #if");
    }
    return value != 0;
}

void Preprocessor::DefineName(const std::string& argument, const Location& where, bool tolerant) {
    const std::string text = Trim(argument);
    const auto [name, rest] = SplitWord(text);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) {
        throw ScriptError(where, "#define needs a name");
    }
    Define define;
    define.where = where;
    define.functionLike = !rest.empty() && rest[0] == '(';
    if (!define.functionLike) {
        define.body = LexAll(rest, where, tolerant);
    }
    defines_.Add(name, std::move(define));
}

void Preprocessor::Include(const std::string& argument, const Location& where) {
    const bool quoted = argument.size() >= 2 && argument.front() == '"';
    const bool angled = argument.size() >= 2 && argument.front() == '<';
    const size_t close = argument.find(quoted ? '"' : '>', 1);
    if ((!quoted && !angled) || close == std::string::npos || close == 1 ||
        !Trim(argument.substr(close + 1)).empty()) {
        throw ScriptError(where, "#include needs \"file\" or <file>");
    }
    const std::string name = argument.substr(1, close - 1);
    std::vector<std::string> candidates;
    if (quoted) {
        candidates.push_back(ResolvePath(where.file, name));
    }
    for (const std::string& dir : includeDirs_) {
        candidates.push_back(JoinPath(dir, name));
    }
    for (const std::string& path : candidates) {
        if (std::optional<std::string> text = files_.Read(path)) {
            Push(path, std::move(*text), where);
            return;
        }
    }
    throw ScriptError(where, "cannot open include file '" + name + "'");
}

std::optional<std::string> Preprocessor::ReadNamedFile(const std::string& name,
                                                       const Location& namedAt, std::string& path) {
    std::vector<std::string> candidates{ResolvePath(namedAt.file, name)};
    for (const std::string& dir : includeDirs_) {
        candidates.push_back(JoinPath(dir, name));
    }
    for (const std::string& candidate : candidates) {
        if (std::optional<std::string> bytes = files_.Read(candidate)) {
            path = candidate;
            AddDependency(candidate);
            return bytes;
        }
    }
    return std::nullopt;
}

}  // namespace kq::rc
