// The symbol glyphs of the "Marlett" face, drawn by the project: caption button symbols, scroll
// arrows, check mark, bullets and radio-button parts, in an em square of any size.
#pragma once

#include <cstdint>
#include <vector>

namespace kq::gfx {

// Coverage (0 or 255) of the glyph for character ch in an em x em square, row by row; all zero
// for characters without a symbol.
std::vector<uint8_t> RenderMarlettGlyph(char32_t ch, int em);

}  // namespace kq::gfx
