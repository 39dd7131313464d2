#include "platform/framework/detail/WndClasses.h"

#include <cctype>
#include <map>
#include <mutex>
#include <set>

#include "platform/base/StringFormat.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/InitCommonControls.h"

namespace kq::fw::detail {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A class name may be given as an atom.
std::string NameOf(LPCSTR className) {
    const auto value = reinterpret_cast<uintptr_t>(className);
    if (value != 0 && value <= 0xFFFF)
        return kq::Format("#%u", static_cast<unsigned>(value));
    return className;
}

struct ClassRegistry {
    std::mutex mutex;
    std::set<std::string> names;                 // stable storage for class names
    std::map<std::string, WNDPROC> procedures;   // lower-case AfxWndProc class -> fallback
    std::map<std::string, std::string> derived;  // lower-case original -> derived class
    int generation = 0;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

WNDPROC FallbackOf(ClassRegistry& registry, const std::string& name) {
    auto it = registry.procedures.find(Lower(name));
    return it != registry.procedures.end() ? it->second : &::DefWindowProc;
}

}  // namespace

LPCSTR KeepClassName(const std::string& name) {
    auto& registry = Registry();
    std::lock_guard lock(registry.mutex);
    return registry.names.insert(name).first->c_str();
}

CreationClass ClassForCreation(LPCSTR className) {
    CreationClass result;
    if (className == nullptr)
        return result;
    WNDCLASS wc{};
    if (!::GetClassInfo(nullptr, className, &wc)) {
        // The common controls are registered when first needed, as the framework's control
        // classes expect of it.
        ::InitCommonControls();
        if (!::GetClassInfo(nullptr, className, &wc))
            return result;
    }
    auto& registry = Registry();
    const std::string name = NameOf(className);
    if (wc.lpfnWndProc == &AfxWndProc) {
        std::lock_guard lock(registry.mutex);
        result.name = name;
        result.super = FallbackOf(registry, name);
        return result;
    }
    std::lock_guard lock(registry.mutex);
    const std::string key = Lower(name);
    auto known = registry.derived.find(key);
    if (known != registry.derived.end()) {
        // Still derived from the class as it is registered now?
        if (FallbackOf(registry, known->second) == wc.lpfnWndProc) {
            result.name = known->second;
            result.super = wc.lpfnWndProc;
            return result;
        }
    }
    std::string derivedName = "Afx:" + name;
    WNDCLASS probe{};
    if (known != registry.derived.end() || ::GetClassInfo(nullptr, derivedName.c_str(), &probe))
        derivedName += kq::Format(":%d", ++registry.generation);
    const char* stored = registry.names.insert(derivedName).first->c_str();
    WNDCLASS derived = wc;
    derived.lpfnWndProc = &AfxWndProc;
    derived.lpszClassName = stored;
    if (!::RegisterClass(&derived))
        return result;
    registry.derived[key] = derivedName;
    registry.procedures[Lower(derivedName)] = wc.lpfnWndProc;
    result.name = derivedName;
    result.super = wc.lpfnWndProc;
    return result;
}

WNDPROC ClassProcedureOf(HWND hWnd) {
    char name[256] = {};
    ::GetClassName(hWnd, name, sizeof name);
    auto& registry = Registry();
    std::lock_guard lock(registry.mutex);
    return FallbackOf(registry, name);
}

}  // namespace kq::fw::detail
