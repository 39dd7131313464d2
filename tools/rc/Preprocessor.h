// The token stream of one script with its directives carried out: #include of headers and
// scripts, #define, and #if/#ifdef/#ifndef/#else/#endif. A header (.h) contributes only its
// directives, so that a header shared with C++ code may hold code. Every file read is recorded
// as a dependency of the compiled output.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/rc/DefineTable.h"
#include "tools/rc/Expression.h"
#include "tools/rc/FileSource.h"
#include "tools/rc/Lexer.h"

namespace kq::rc {

class Preprocessor final : public TokenCursor {
  public:
    Preprocessor(FileSource& files, std::vector<std::string> includeDirs);

    // Starts on the main script; a missing script is a ScriptError.
    void Open(const std::string& path);

    const Token& Peek() override;
    Token Next() override;

    DefineTable& Defines() { return defines_; }

    // Reads a file that a statement names: next to the file that names it, else in an include
    // folder. Sets `path` to where it was found; nullopt when nowhere.
    std::optional<std::string> ReadNamedFile(const std::string& name, const Location& namedAt,
                                             std::string& path);

    const std::vector<std::string>& Dependencies() const { return dependencies_; }

  private:
    struct Frame {
        std::string path;
        std::unique_ptr<std::string> text;
        std::unique_ptr<Lexer> lexer;
        bool headerOnly = false;
        size_t conditionalBase = 0;  // open conditionals when the file began
    };
    struct Conditional {
        bool active = true;  // tokens here are used
        bool taken = false;  // some branch of this #if has been active
        bool sawElse = false;
        Location where;
    };

    Token Produce();
    bool Skipping() const { return !conditionals_.empty() && !conditionals_.back().active; }
    bool ParentActive() const;
    void Push(const std::string& path, std::string text, const Location& includedAt);
    void Pop();
    void Directive(const Token& hash);
    void Include(const std::string& argument, const Location& where);
    void DefineName(const std::string& argument, const Location& where, bool tolerant);
    bool Condition(const std::string& argument, const Location& where);
    void AddDependency(const std::string& path);

    FileSource& files_;
    std::vector<std::string> includeDirs_;
    DefineTable defines_;
    std::vector<Frame> frames_;
    std::vector<Conditional> conditionals_;
    std::vector<std::string> dependencies_;
    std::optional<Token> peeked_;
    Location lastLocation_;
};

}  // namespace kq::rc
