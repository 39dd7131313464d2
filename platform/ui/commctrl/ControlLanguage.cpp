#include "platform/ui/commctrl/ControlLanguage.h"

#include <atomic>

#include "platform/ui/dialog/MessageBox.h"

namespace kq::ui {

namespace {
std::atomic<ControlLanguage> g_language{ControlLanguage::English};
}

void SetControlLanguage(ControlLanguage language) {
    g_language.store(language);
    // The common dialogs ask their questions in message boxes, whose buttons must speak the
    // same language as the question.
    switch (language) {
        case ControlLanguage::German:
            SetMessageBoxLanguage(MessageBoxLanguage::German);
            break;
        case ControlLanguage::English:
            SetMessageBoxLanguage(MessageBoxLanguage::English);
            break;
        case ControlLanguage::French:
            SetMessageBoxLanguage(MessageBoxLanguage::French);
            break;
    }
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
