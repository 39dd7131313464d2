// What the font dialog works with: the families to offer, the sizes, and turning a choice of
// family, style, size, effects and colour into the caller's CHOOSEFONT and LOGFONT.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/commdlg/CommDlg.h"

namespace kq::ui::commdlg {

struct FontSelection {
    std::string face;
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    COLORREF color = 0;
};

// The installed families, sorted.
std::vector<std::string> FontFamilies();
// The sizes offered in the list.
const std::vector<int>& StandardFontSizes();
// The family of the list that matches a name without regard to case; empty when none.
std::string FindFamily(const std::vector<std::string>& families, const std::string& name);

// The selection the dialog starts with: from the caller's LOGFONT with CF_INITTOLOGFONTSTRUCT,
// else the default GUI font's family at 10 points; the colour from rgbColors.
FontSelection InitialFontSelection(const CHOOSEFONT& cf, const std::vector<std::string>& families);

// Checks a selection against the flags: an error text for the user, or nothing when fine.
std::optional<std::string> CheckFontSelection(const CHOOSEFONT& cf, const FontSelection& s,
                                              const std::vector<std::string>& families);
// Writes the selection: LOGFONT (height for the screen's resolution), iPointSize, nFontType,
// rgbColors and, with CF_USESTYLE, the style name.
void StoreFontSelection(CHOOSEFONT& cf, const FontSelection& s);

// The name of a style in the current language.
std::string StyleName(bool bold, bool italic);

}  // namespace kq::ui::commdlg
