// Run-length compressed DIBs (RLE8 and RLE4). Rows are stored bottom-up; escape codes end a row,
// end the bitmap or move the position by a delta. Every run is checked against the row and the
// image: a run that would write outside them makes the data invalid.
#include "platform/gfx/codec/DibLayout.h"

namespace kq::gfx {

namespace {

class RleCanvas {
  public:
    RleCanvas(const DibFileLayout& layout, Image& out) : layout_(layout), out_(out) {}

    bool Put(uint32_t index, std::string& error) {
        if (x_ >= layout_.width || row_ >= layout_.height) {
            error = "run-length data runs past the end of a row";
            return false;
        }
        if (index >= layout_.palette.size()) {
            error = "pixel refers to a colour the palette does not have";
            return false;
        }
        out_.SetPixel(x_, layout_.height - 1 - row_, layout_.palette[index]);
        ++x_;
        return true;
    }

    bool EndOfLine(std::string& error) {
        if (row_ >= layout_.height) {
            error = "run-length data runs past the last row";
            return false;
        }
        x_ = 0;
        ++row_;
        return true;
    }

    bool Delta(int dx, int dy, std::string& error) {
        if (x_ + dx > layout_.width || row_ + dy > layout_.height) {
            error = "run-length delta moves outside the image";
            return false;
        }
        x_ += dx;
        row_ += dy;
        return true;
    }

  private:
    const DibFileLayout& layout_;
    Image& out_;
    int x_ = 0;
    int row_ = 0;
};

}  // namespace

bool DecodeDibRle(const DibFileLayout& layout, std::span<const uint8_t> bits, Image& out,
                  std::string& error) {
    if (layout.imageSize != 0 && layout.imageSize < bits.size()) {
        bits = bits.first(layout.imageSize);
    }
    const bool rle8 = layout.compression == kBiRle8;
    out = Image(layout.width, layout.height, 0);
    RleCanvas canvas(layout, out);
    const auto nibble = [&](uint32_t byte, uint32_t k) {
        return k % 2 == 0 ? byte >> 4 : byte & 15;
    };
    size_t i = 0;
    for (;;) {
        if (bits.size() - i < 2) {
            error = "run-length data ends without an end-of-bitmap mark";
            return false;
        }
        const uint32_t count = bits[i];
        const uint32_t value = bits[i + 1];
        i += 2;
        if (count > 0) {
            for (uint32_t k = 0; k < count; ++k) {
                if (!canvas.Put(rle8 ? value : nibble(value, k), error)) {
                    return false;
                }
            }
            continue;
        }
        if (value == 0) {
            if (!canvas.EndOfLine(error)) {
                return false;
            }
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (bits.size() - i < 2) {
                error = "run-length data ends inside a delta";
                return false;
            }
            if (!canvas.Delta(bits[i], bits[i + 1], error)) {
                return false;
            }
            i += 2;
        } else {
            // Absolute mode: value pixels stored literally, padded to a 16-bit boundary.
            const size_t bytes = rle8 ? value : (value + 1) / 2;
            const size_t padded = bytes + (bytes & 1);
            if (bits.size() - i < padded) {
                error = "run-length data ends inside a literal run";
                return false;
            }
            for (uint32_t k = 0; k < value; ++k) {
                const uint32_t index = rle8 ? bits[i + k] : nibble(bits[i + k / 2], k);
                if (!canvas.Put(index, error)) {
                    return false;
                }
            }
            i += padded;
        }
    }
}

}  // namespace kq::gfx
