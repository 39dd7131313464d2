#include "platform/ui/commctrl/ControlLanguage.h"

#include <atomic>

namespace kq::ui {

namespace {
std::atomic<ControlLanguage> g_language{ControlLanguage::English};
}

void SetControlLanguage(ControlLanguage language) {
    g_language.store(language);
}

ControlLanguage GetControlLanguage() {
    return g_language.load();
}

const char* LocalText::Get() const {
    switch (GetControlLanguage()) {
        case ControlLanguage::German:
            return german;
        case ControlLanguage::French:
            return french;
        case ControlLanguage::English:
            break;
    }
    return english;
}

}  // namespace kq::ui
