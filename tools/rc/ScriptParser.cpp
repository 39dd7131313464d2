#include "tools/rc/ScriptParser.h"

#include <algorithm>
#include <map>
#include <utility>

#include "tools/rc/ParseContext.h"
#include "tools/rc/Preprocessor.h"
#include "tools/rc/StatementParsers.h"

namespace kq::rc {

namespace {

// Remembers where each resource was defined, to report a second definition.
class DefinitionRecord {
  public:
    void Add(const std::string& kind, const ResName& name, const Location& where) {
        Check(kind + " " + name.Describe(), where);
    }
    void AddString(uint16_t id, const Location& where) {
        Check("string id " + std::to_string(id), where);
    }

  private:
    void Check(const std::string& key, const Location& where) {
        auto [found, added] = seen_.emplace(key, where);
        if (!added) {
            throw ScriptError(
                where, "duplicate " + key + " (first defined at " + found->second.ToString() + ")");
        }
    }

    std::map<std::string, Location> seen_;
};

class ScriptReader {
  public:
    ScriptReader(ParseContext& context, Script& script, DefinitionRecord& record)
        : context_(context), script_(script), record_(record) {}

    void ReadAll() {
        while (!context_.AtEnd()) {
            ReadStatement();
        }
    }

  private:
    void ReadStatement() {
        if (context_.AcceptKeyword("STRINGTABLE")) {
            for (LocatedString& string : ParseStringTable(context_)) {
                record_.AddString(string.entry.id, string.where);
                script_.strings.push_back(std::move(string.entry));
            }
            return;
        }
        if (context_.AcceptKeyword("LANGUAGE")) {
            context_.SkipLanguage();
            return;
        }
        const Location where = context_.Peek().where;
        ResName name = context_.ResourceName();
        const Token type = context_.Next();
        if (type.IsKeyword("DIALOG") || type.IsKeyword("DIALOGEX")) {
            record_.Add("dialog", name, where);
            script_.dialogs.push_back(
                ParseDialog(context_, std::move(name), type.IsKeyword("DIALOGEX")));
        } else if (type.IsKeyword("MENU")) {
            record_.Add("menu", name, where);
            script_.menus.push_back(ParseMenu(context_, std::move(name)));
        } else if (type.IsKeyword("ACCELERATORS")) {
            record_.Add("accelerator table", name, where);
            script_.accelerators.push_back(ParseAccelerators(context_, std::move(name)));
        } else if (type.IsKeyword("BITMAP")) {
            ReadBinary(BinaryKind::Bitmap, "bitmap", std::move(name), where);
        } else if (type.IsKeyword("ICON")) {
            ReadBinary(BinaryKind::Icon, "icon", std::move(name), where);
        } else if (type.IsKeyword("CURSOR")) {
            ReadBinary(BinaryKind::Cursor, "cursor", std::move(name), where);
        } else if (type.IsKeyword("VERSIONINFO")) {
            SkipVersionInfo(where);
        } else if (type.kind == TokenKind::Identifier) {
            context_.Fail(type.where, "unknown resource type " + type.Describe());
        } else {
            context_.Fail(type.where, "expected a resource type after " + name.Describe() +
                                          " but found " + type.Describe());
        }
    }

    void ReadBinary(BinaryKind kind, const std::string& kindName, ResName name,
                    const Location& where) {
        record_.Add(kindName, name, where);
        SkipMemoryOptions(context_);
        const Location fileAt = context_.Peek().where;
        const std::string file = context_.ExpectString();
        Binary binary;
        binary.kind = kind;
        binary.name = std::move(name);
        std::optional<std::string> bytes =
            context_.Source().ReadNamedFile(file, fileAt, binary.path);
        if (!bytes) {
            context_.Fail(fileAt, "cannot open " + kindName + " file '" + file + "'");
        }
        binary.bytes = std::move(*bytes);
        script_.binaries.push_back(std::move(binary));
    }

    // Version information is no resource the program reads; its block is passed over whole.
    void SkipVersionInfo(const Location& where) {
        while (!context_.Peek().Is('{') && !context_.PeekKeyword("BEGIN")) {
            if (context_.AtEnd()) {
                context_.Fail(where, "VERSIONINFO without a block");
            }
            context_.Next();
        }
        int depth = 0;
        do {
            const Token token = context_.Next();
            if (token.kind == TokenKind::End) {
                context_.Fail(where, "VERSIONINFO block without its END");
            }
            if (token.Is('{') || token.IsKeyword("BEGIN")) {
                ++depth;
            } else if (token.Is('}') || token.IsKeyword("END")) {
                --depth;
            }
        } while (depth > 0);
    }

    ParseContext& context_;
    Script& script_;
    DefinitionRecord& record_;
};

}  // namespace

Script ParseScripts(const std::vector<std::string>& scripts,
                    const std::vector<std::string>& includeDirs, FileSource& files) {
    Script script;
    DefinitionRecord record;
    for (const std::string& path : scripts) {
        Preprocessor source(files, includeDirs);
        source.Open(path);
        ParseContext context(source);
        ScriptReader(context, script, record).ReadAll();
        for (const std::string& dependency : source.Dependencies()) {
            if (std::find(script.dependencies.begin(), script.dependencies.end(), dependency) ==
                script.dependencies.end()) {
                script.dependencies.push_back(dependency);
            }
        }
    }
    return script;
}

}  // namespace kq::rc
