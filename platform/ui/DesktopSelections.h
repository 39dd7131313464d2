// The desktop's selections beside the program's clipboard (Clipboard.h), where a back end shares
// them with other programs (x11): what the program copies stands on the desktop's clipboard
// while the program runs, and a paste takes what another program copied. An edit's selected
// text is the desktop's primary selection, which a middle click pastes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kq::ui {

// The primary selection: an edit's selected text (a password's never), and the text a middle
// click pastes; nullopt when there is none.
void SetPrimarySelection(std::string_view text);
std::optional<std::string> PrimarySelectionText();

enum class Selection { Clipboard, Primary };

// The desktop's selections, as a back end shares them. Called on the thread that copies or
// pastes; an implementation that cannot reach the desktop from that thread answers false.
class DesktopSelections {
  public:
    virtual ~DesktopSelections() = default;
    // The program's text now stands on the selection.
    virtual void Claim(Selection which) = 0;
    // True when the desktop has the say: then `text` is what another program holds (nullopt
    // when nobody holds it, it is no text, or it is a text the program's 8-bit texts cannot
    // hold, which is refused audibly). False while the program's own text stands.
    virtual bool ReadForeign(Selection which, std::optional<std::string>& text) = 0;
};
// Null: the program's own clipboard only (headless).
void SetDesktopSelections(DesktopSelections* desktop);
// The text the program has on the selection, for the desktop's requests.
std::optional<std::string> OfferedText(Selection which);

}  // namespace kq::ui
