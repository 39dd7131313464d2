#include "platform/gfx/RealizedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>

#include "platform/gfx/FontMatcher.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/MarlettGlyphs.h"

namespace kq::gfx {

namespace {

constexpr double kPi = 3.14159265358979323846;

// FreeType objects are shared by all fonts and used under this lock only.
std::mutex& EngineMutex() {
    static std::mutex m;
    return m;
}

FT_Library Library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            l = nullptr;
        return l;
    }();
    return lib;
}

FT_Face OpenFace(const FontFile& file) {
    static std::map<std::pair<std::string, int>, FT_Face> faces;
    const auto key = std::make_pair(file.path, file.index);
    if (auto it = faces.find(key); it != faces.end())
        return it->second;
    FT_Face face = nullptr;
    if (!Library() || FT_New_Face(Library(), file.path.c_str(), file.index, &face) != 0)
        face = nullptr;
    faces[key] = face;
    return face;
}

struct Scaled {
    int upem;
    int winAscent;
    int winDescent;
    int avgWidth;
    int lineGap;
    int hheaAscent;
    int hheaDescent;
    int strikePos;
    int strikeSize;
};

Scaled FaceMetrics(FT_Face face) {
    Scaled m{};
    m.upem = face->units_per_EM ? face->units_per_EM : 2048;
    m.hheaAscent = face->ascender;
    m.hheaDescent = -face->descender;
    m.lineGap = face->height - face->ascender + face->descender;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF) {
        m.winAscent = os2->usWinAscent;
        m.winDescent = os2->usWinDescent;
        m.avgWidth = os2->xAvgCharWidth;
        m.strikePos = os2->yStrikeoutPosition;
        m.strikeSize = os2->yStrikeoutSize;
    }
    if (m.winAscent + m.winDescent <= 0) {
        m.winAscent = m.hheaAscent;
        m.winDescent = m.hheaDescent;
    }
    if (m.avgWidth <= 0)
        m.avgWidth = m.upem / 2;
    if (m.strikeSize <= 0) {
        m.strikePos = m.upem / 4;
        m.strikeSize = m.upem / 20;
    }
    return m;
}

int RoundInt(double v) {
    return static_cast<int>(std::lround(v));
}

// Cache of realised fonts: the last few stay alive even when no DC holds them.
struct FontCache {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<RealizedFont>> byKey;
    std::deque<std::shared_ptr<RealizedFont>> recent;
};

FontCache& Cache() {
    static FontCache* cache = new FontCache();  // lives for the whole process
    return *cache;
}

}  // namespace

struct RealizedFont::Face {
    FT_Face face = nullptr;
    FT_Size size = nullptr;
    ~Face() {
        if (size)
            FT_Done_Size(size);
    }
    bool Open(const FontFile& file, int emX, int emY) {
        face = OpenFace(file);
        if (!face || FT_New_Size(face, &size) != 0)
            return false;
        FT_Activate_Size(size);
        return FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(std::max(1, emX)),
                                  static_cast<FT_UInt>(std::max(1, emY))) == 0;
    }
    void Activate() const { FT_Activate_Size(size); }
};

std::shared_ptr<RealizedFont> RealizedFont::Get(const LOGFONT& lf) {
    std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONT, lfFaceName));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    FontCache& cache = Cache();
    {
        std::lock_guard<std::mutex> lock(cache.mutex);
        if (auto it = cache.byKey.find(key); it != cache.byKey.end())
            if (auto f = it->second.lock())
                return f;
    }
    std::shared_ptr<RealizedFont> font(new RealizedFont());
    font->Init(lf);
    std::lock_guard<std::mutex> lock(cache.mutex);
    cache.byKey[key] = font;
    cache.recent.push_back(font);
    if (cache.recent.size() > 64)
        cache.recent.pop_front();
    return font;
}

RealizedFont::~RealizedFont() {
    std::lock_guard<std::mutex> lock(EngineMutex());
    primary_.reset();
    fallback_.reset();
}

void RealizedFont::Init(const LOGFONT& lf) {
    lf_ = lf;
    const int weight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
    antialias_ = lf.lfQuality != NONANTIALIASED_QUALITY;
    // Escapement in tenths of a degree, counter-clockwise.
    int tenths = lf.lfEscapement % 3600;
    if (tenths < 0)
        tenths += 3600;
    angle_ = tenths * kPi / 1800.0;
    quadrant_ = tenths % 900 == 0 ? tenths / 900 : -1;

    tm_.tmWeight = weight;
    tm_.tmItalic = lf.lfItalic ? 1 : 0;
    tm_.tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm_.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    tm_.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
    tm_.tmFirstChar = 0x1E;
    tm_.tmLastChar = 0xFF;
    tm_.tmDefaultChar = 0x1F;
    tm_.tmBreakChar = 0x20;
    tm_.tmDigitizedAspectX = 96;
    tm_.tmDigitizedAspectY = 96;

    if (IsMarlettFace(lf.lfFaceName)) {
        marlett_ = true;
        faceName_ = "Marlett";
        const int em = lf.lfHeight < 0 ? -lf.lfHeight : (lf.lfHeight > 0 ? lf.lfHeight : 16);
        emX_ = emY_ = std::max(1, em);
        tm_.tmHeight = emY_;
        tm_.tmAscent = emY_;
        tm_.tmAveCharWidth = emX_;
        tm_.tmMaxCharWidth = emX_;
        tm_.tmPitchAndFamily = TMPF_VECTOR | TMPF_TRUETYPE | FF_DECORATIVE;
        tm_.tmCharSet = SYMBOL_CHARSET;
        antialias_ = false;
        valid_ = true;
        return;
    }

    const std::string family = MappedFamily(lf.lfFaceName, lf.lfPitchAndFamily);
    faceName_ = lf.lfFaceName[0] ? lf.lfFaceName : family;
    std::lock_guard<std::mutex> lock(EngineMutex());
    const auto file = FindFontFile(family, weight, lf.lfItalic != 0);
    if (!file)
        return;
    FT_Face face = OpenFace(*file);
    if (!face)
        return;
    const Scaled m = FaceMetrics(face);
    // Negative heights give the em (character height), positive ones the cell height.
    double emY;
    if (lf.lfHeight < 0)
        emY = -static_cast<double>(lf.lfHeight);
    else
        emY = static_cast<double>(lf.lfHeight > 0 ? lf.lfHeight : 16) * m.upem /
              (m.winAscent + m.winDescent);
    emY_ = std::max(1, RoundInt(emY));
    emX_ = emY_;
    if (lf.lfWidth > 0)
        emX_ = std::max(1, RoundInt(static_cast<double>(lf.lfWidth) * m.upem / m.avgWidth));
    primary_ = std::make_unique<Face>();
    if (!primary_->Open(*file, emX_, emY_)) {
        primary_.reset();
        return;
    }
    fakeBold_ = weight >= 600 && !file->bold;
    fakeItalic_ = lf.lfItalic && !file->italic;
    const double sy = static_cast<double>(emY_) / m.upem;
    const double sx = static_cast<double>(emX_) / m.upem;
    tm_.tmAscent = RoundInt(m.winAscent * sy);
    tm_.tmDescent = RoundInt(m.winDescent * sy);
    tm_.tmHeight = tm_.tmAscent + tm_.tmDescent;
    tm_.tmInternalLeading = std::max(0, tm_.tmHeight - emY_);
    const int hheaHeight = m.hheaAscent + m.hheaDescent + m.lineGap;
    tm_.tmExternalLeading = std::max(0, RoundInt((hheaHeight - (m.winAscent + m.winDescent)) * sy));
    tm_.tmAveCharWidth = std::max(1, RoundInt(m.avgWidth * sx));
    tm_.tmMaxCharWidth = std::max(1, RoundInt((face->bbox.xMax - face->bbox.xMin) * sx));
    const bool fixed = FT_IS_FIXED_WIDTH(face);
    BYTE familyBits = FF_SWISS;
    if (family.find("Serif") != std::string::npos && family.find("Sans") == std::string::npos)
        familyBits = FF_ROMAN;
    if (fixed)
        familyBits = FF_MODERN;
    // In TEXTMETRIC the "fixed pitch" bit means variable pitch.
    tm_.tmPitchAndFamily = static_cast<BYTE>(familyBits | TMPF_VECTOR | TMPF_TRUETYPE |
                                             (fixed ? 0 : TMPF_FIXED_PITCH));
    if (fakeBold_)
        tm_.tmOverhang = 0;
    underlineOffset =
        std::max(1, RoundInt(-face->underline_position * sy - face->underline_thickness * sy / 2));
    underlineThickness = std::max(1, RoundInt(face->underline_thickness * sy));
    strikeoutThickness = std::max(1, RoundInt(m.strikeSize * sy));
    strikeoutOffset = -RoundInt(m.strikePos * sy) - strikeoutThickness / 2;
    valid_ = true;
}

int RealizedFont::MeasureAdvance(char32_t cp) {
    if (marlett_)
        return emX_;
    if (!primary_)
        return 0;
    std::lock_guard<std::mutex> lock(EngineMutex());
    Face* f = primary_.get();
    FT_UInt gi = FT_Get_Char_Index(f->face, cp);
    if (gi == 0 && cp >= 0x20) {
        if (!fallbackTried_) {
            fallbackTried_ = true;
            if (auto file = FallbackFontFile()) {
                fallback_ = std::make_unique<Face>();
                if (!fallback_->Open(*file, emX_, emY_))
                    fallback_.reset();
            }
        }
        if (fallback_ && FT_Get_Char_Index(fallback_->face, cp) != 0) {
            f = fallback_.get();
            gi = FT_Get_Char_Index(f->face, cp);
        }
    }
    f->Activate();
    const FT_Int32 flags = antialias_ ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(f->face, gi, flags) != 0)
        return 0;
    int adv = static_cast<int>((f->face->glyph->advance.x + 32) >> 6);
    if (fakeBold_)
        adv += std::max(1, emY_ / 24);
    return adv;
}

int RealizedFont::Advance(char32_t cp) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto it = advances_.find(cp); it != advances_.end())
        return it->second;
    const int adv = MeasureAdvance(cp);
    advances_[cp] = adv;
    return adv;
}

const RealizedFont::Glyph& RealizedFont::GlyphFor(char32_t cp) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto it = glyphs_.find(cp); it != glyphs_.end())
        return it->second;
    return glyphs_.emplace(cp, Render(cp)).first->second;
}

RealizedFont::Glyph RealizedFont::Render(char32_t cp) {
    Glyph g;
    if (marlett_) {
        g.coverage = RenderMarlettGlyph(cp, emY_);
        g.width = g.height = emY_;
        g.left = 0;
        g.top = emY_;
        return g;
    }
    if (!primary_)
        return g;
    std::lock_guard<std::mutex> lock(EngineMutex());
    Face* f = primary_.get();
    FT_UInt gi = FT_Get_Char_Index(f->face, cp);
    if (gi == 0 && fallback_ && FT_Get_Char_Index(fallback_->face, cp) != 0) {
        f = fallback_.get();
        gi = FT_Get_Char_Index(f->face, cp);
    }
    f->Activate();
    FT_Int32 flags = antialias_ ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
    if (quadrant_ < 0)
        flags = FT_LOAD_NO_HINTING;
    if (FT_Load_Glyph(f->face, gi, flags) != 0)
        return g;
    FT_GlyphSlot slot = f->face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
        return g;
    if (fakeItalic_) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (fakeBold_) {
        const FT_Pos strength = std::max(64, emY_ * 64 / 24);
        FT_Outline_EmboldenXY(&slot->outline, strength, 0);
    }
    if (quadrant_ < 0) {
        const FT_Fixed c = static_cast<FT_Fixed>(std::lround(std::cos(angle_) * 65536));
        const FT_Fixed s = static_cast<FT_Fixed>(std::lround(std::sin(angle_) * 65536));
        FT_Matrix rot{c, -s, s, c};
        FT_Outline_Transform(&slot->outline, &rot);
    }
    if (FT_Render_Glyph(slot, antialias_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.width; ++x) {
            uint8_t v;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                v = row[x];
            g.coverage[static_cast<size_t>(y) * g.width + x] = v;
        }
    }
    return g;
}

}  // namespace kq::gfx
