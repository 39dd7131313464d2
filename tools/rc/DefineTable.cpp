#include "tools/rc/DefineTable.h"

namespace kq::rc {

namespace {

bool SameBody(const Define& a, const Define& b) {
    if (a.functionLike != b.functionLike || a.body.size() != b.body.size()) {
        return false;
    }
    for (size_t i = 0; i < a.body.size(); ++i) {
        if (a.body[i].kind != b.body[i].kind || a.body[i].text != b.body[i].text) {
            return false;
        }
    }
    return true;
}

}  // namespace

void DefineTable::Add(const std::string& name, Define define) {
    auto found = defines_.find(name);
    if (found == defines_.end()) {
        defines_.emplace(name, std::move(define));
        return;
    }
    if (!SameBody(found->second, define)) {
        throw ScriptError(define.where, "'" + name + "' redefined differently (first defined at " +
                                            found->second.where.ToString() + ")");
    }
}

Define* DefineTable::Find(const std::string& name) {
    auto found = defines_.find(name);
    return found == defines_.end() ? nullptr : &found->second;
}

}  // namespace kq::rc
