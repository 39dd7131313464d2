// The language of the texts the common controls and common dialogs show on their own (names of
// months and days, date orders, dialog captions and labels, digit grouping). The program sets it
// when its user picks a language; it applies to controls and dialogs made or painted afterwards.
#pragma once

namespace kq::ui {

enum class ControlLanguage { German, English, French };

// Also sets the language of message boxes (SetMessageBoxLanguage).
void SetControlLanguage(ControlLanguage language);
ControlLanguage GetControlLanguage();

// One text in each language, chosen by the current setting.
struct LocalText {
    const char* german;
    const char* english;
    const char* french;

    const char* Get() const;
};

}  // namespace kq::ui
