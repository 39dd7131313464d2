// A font as a device uses it: a LOGFONT resolved to an installed face at a pixel size, with its
// TEXTMETRIC, integer advance widths and a cache of rendered glyphs (grey coverage, or black and
// white for non-antialiased fonts). Text measured with a font and text drawn with it use the
// same advances, so an extent is exactly the inked advance.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/GdiStructs.h"

namespace kq::gfx {

class RealizedFont {
  public:
    // Coverage 0..255 per pixel; the bitmap's top-left pixel sits at (origin.x + left,
    // origin.y - top) for a glyph drawn with its pen origin (on the baseline) at origin.
    struct Glyph {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<uint8_t> coverage;
    };

    // lf holds device pixel sizes (lfHeight, lfWidth) and the escapement to render with.
    static std::shared_ptr<RealizedFont> Get(const LOGFONT& lf);
    ~RealizedFont();

    const TEXTMETRIC& Metrics() const { return tm_; }
    const LOGFONT& LogFont() const { return lf_; }
    std::string FaceName() const { return faceName_; }
    bool Valid() const { return valid_; }
    bool Antialiased() const { return antialias_; }
    // Escapement in radians, counter-clockwise on the screen; quadrant 0..3 when it is a
    // multiple of 90 degrees (glyphs are then rendered upright and turned exactly), else -1.
    double Angle() const { return angle_; }
    int Quadrant() const { return quadrant_; }

    int Advance(char32_t cp);
    // The upright glyph (quadrant fonts) or the glyph rendered at the font's angle.
    const Glyph& GlyphFor(char32_t cp);

    // Underline and strike-out: offset of the line's top from the baseline (positive down)
    // and thickness, in pixels.
    int underlineOffset = 2;
    int underlineThickness = 1;
    int strikeoutOffset = -4;
    int strikeoutThickness = 1;

  private:
    struct Face;
    RealizedFont() = default;
    void Init(const LOGFONT& lf);
    Glyph Render(char32_t cp);
    int MeasureAdvance(char32_t cp);

    std::mutex mutex_;
    LOGFONT lf_{};
    TEXTMETRIC tm_{};
    std::string faceName_;
    bool valid_ = false;
    bool antialias_ = true;
    bool marlett_ = false;
    bool fakeBold_ = false;
    bool fakeItalic_ = false;
    double angle_ = 0;
    int quadrant_ = 0;
    int emX_ = 0;
    int emY_ = 0;
    std::unique_ptr<Face> primary_;
    std::unique_ptr<Face> fallback_;
    bool fallbackTried_ = false;
    std::unordered_map<char32_t, int> advances_;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace kq::gfx
