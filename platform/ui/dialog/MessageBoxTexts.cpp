#include "platform/ui/dialog/MessageBoxTexts.h"

#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui {
namespace {

struct ButtonTexts {
    const char* ok;
    const char* cancel;
    const char* abort;
    const char* retry;
    const char* ignore;
    const char* yes;
    const char* no;
    const char* tryAgain;
    const char* next;
};

const ButtonTexts& TextsOf(MessageBoxLanguage language) {
    static const ButtonTexts german{"OK",           "Abbrechen",    "&Abbrechen",
                                    "&Wiederholen", "&Ignorieren",  "&Ja",
                                    "&Nein",        "&Wiederholen", "&Weiter"};
    static const ButtonTexts english{"OK",   "Cancel", "&Abort",     "&Retry",   "&Ignore",
                                     "&Yes", "&No",    "&Try Again", "&Continue"};
    static const ButtonTexts french{"OK",   "Annuler", "&Abandonner", "&Recommencer", "&Ignorer",
                                    "&Oui", "&Non",    "&Réessayer",  "&Continuer"};
    switch (language) {
        case MessageBoxLanguage::German:
            return german;
        case MessageBoxLanguage::French:
            return french;
        default:
            return english;
    }
}

}  // namespace

const char* MessageBoxButtonText(MessageBoxLanguage language, int id) {
    const ButtonTexts& t = TextsOf(language);
    switch (id) {
        case IDOK:
            return t.ok;
        case IDCANCEL:
            return t.cancel;
        case IDABORT:
            return t.abort;
        case IDRETRY:
            return t.retry;
        case IDIGNORE:
            return t.ignore;
        case IDYES:
            return t.yes;
        case IDNO:
            return t.no;
        case IDTRYAGAIN:
            return t.tryAgain;
        case IDCONTINUE:
            return t.next;
        default:
            return "";
    }
}

const char* MessageBoxDefaultCaption(MessageBoxLanguage language) {
    switch (language) {
        case MessageBoxLanguage::German:
            return "Fehler";
        case MessageBoxLanguage::French:
            return "Erreur";
        default:
            return "Error";
    }
}

}  // namespace kq::ui
