// The text-metrics source that measures with the graphics library's real fonts: the default
// once fonts exist, so that what the controls lay out is what DrawText draws.
#pragma once

#include "platform/ui/controls/TextMetrics.h"

namespace kq::ui {

class GdiTextMetrics : public TextMetricsSource {
  public:
    FontMetrics Metrics(HFONT font) const override;
    int TextWidth(HFONT font, std::string_view utf8) const override;
    std::vector<int> CharacterOffsets(HFONT font, std::u32string_view text) const override;
    // The point size at 96 dots per inch, the face mapped by the font matcher.
    HFONT CreateDialogFont(const kq::DialogFont& font) override;
    void DeleteDialogFont(HFONT font) override;
    SIZE ImageSize(HANDLE image, UINT type) const override;
};

}  // namespace kq::ui
