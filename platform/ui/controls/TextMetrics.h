// What the window system needs to know about fonts and images before anything is drawn: the
// size of a font's characters, the width of a text, the font of a dialog template and the size
// of an image. Dialog units, edit carets, list item heights and message-box layout all measure
// through this one seam. The default source (GdiTextMetrics) measures with the graphics
// library's fonts, the same ones DrawText draws with, so layout and drawing agree to the pixel.
//
// FixedCellTextMetrics measures in fixed cells instead: every character is 6 pixels wide and the
// font 13 pixels high (ascent 11), the average character size of the default GUI font (an
// 8-point sans serif at 96 dpi); it creates no fonts and knows no image sizes. Tests install it
// (SetTextMetricsSource) where they check positions to the pixel independently of the fonts
// installed on the machine.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/base/ResourceTemplates.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

struct FontMetrics {
    int height = 13;  // ascent + descent, the height of a line of text
    int ascent = 11;
    int averageWidth = 6;
    int externalLeading = 0;
};

class TextMetricsSource {
  public:
    virtual ~TextMetricsSource() = default;
    // Null stands for the default GUI font.
    virtual FontMetrics Metrics(HFONT font) const = 0;
    // Advance width of one line of UTF-8 text in pixels.
    virtual int TextWidth(HFONT font, std::string_view utf8) const = 0;
    // x offset of every character boundary of the text: size() + 1 values from 0 to the width.
    // The default asks TextWidth for each prefix.
    virtual std::vector<int> CharacterOffsets(HFONT font, std::u32string_view text) const;
    // The font of a dialog template's FONT statement, owned by the dialog and released with
    // DeleteDialogFont when it is destroyed. Null: use the default GUI font.
    virtual HFONT CreateDialogFont(const kq::DialogFont& font) = 0;
    virtual void DeleteDialogFont(HFONT font) = 0;
    // Pixel size of a bitmap (IMAGE_BITMAP) or icon (IMAGE_ICON) handle; {0, 0} when unknown.
    virtual SIZE ImageSize(HANDLE image, UINT type) const = 0;
};

class FixedCellTextMetrics : public TextMetricsSource {
  public:
    static constexpr int kCellWidth = 6;
    static constexpr int kCellHeight = 13;
    static constexpr int kAscent = 11;

    FontMetrics Metrics(HFONT font) const override;
    int TextWidth(HFONT font, std::string_view utf8) const override;
    std::vector<int> CharacterOffsets(HFONT font, std::u32string_view text) const override;
    HFONT CreateDialogFont(const kq::DialogFont& font) override;
    void DeleteDialogFont(HFONT font) override;
    SIZE ImageSize(HANDLE image, UINT type) const override;
};

// Installs the source used from now on; null restores the default.
void SetTextMetricsSource(std::shared_ptr<TextMetricsSource> source);
std::shared_ptr<TextMetricsSource> GetTextMetricsSource();

// Shorthands over the installed source.
FontMetrics MeasureFont(HFONT font);
int MeasureText(HFONT font, std::string_view utf8);
std::vector<int> MeasureOffsets(HFONT font, std::u32string_view text);

}  // namespace kq::ui
