#include <map>
#include <mutex>
#include <string>

#include "platform/ui/Messaging.h"

namespace {

struct MessageNames {
    std::mutex mutex;
    std::map<std::string, UINT> ids;
    UINT next = 0xC000;
};

// A function-local static, so that other static initialisers may register their messages.
MessageNames& Names() {
    static MessageNames* names = new MessageNames;
    return *names;
}

std::string FoldCase(const char* s) {
    std::string folded;
    for (; *s; ++s)
        folded.push_back(*s >= 'A' && *s <= 'Z' ? static_cast<char>(*s - 'A' + 'a') : *s);
    return folded;
}

}  // namespace

UINT RegisterWindowMessage(LPCSTR name) {
    if (!name || !*name)
        return 0;
    MessageNames& n = Names();
    std::string key = FoldCase(name);
    std::lock_guard lock(n.mutex);
    auto it = n.ids.find(key);
    if (it != n.ids.end())
        return it->second;
    if (n.next > 0xFFFF)
        return 0;
    UINT id = n.next++;
    n.ids.emplace(std::move(key), id);
    return id;
}
