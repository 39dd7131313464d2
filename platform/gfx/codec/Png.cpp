// libpng reports errors through a callback that must not return; it jumps back to the setjmp in
// the function that drives the library. Those functions therefore hold no object with a
// destructor: everything that needs cleaning up lives in their callers.
#include "platform/gfx/codec/Png.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "platform/gfx/codec/AtomicFile.h"

namespace kq::gfx {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct PngIo {
    std::span<const uint8_t> input;
    size_t position = 0;
    std::vector<uint8_t>* output = nullptr;
    char message[160] = "";
};

void OnError(png_structp png, png_const_charp text) {
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    std::snprintf(io->message, sizeof io->message, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep out, size_t count) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (io->input.size() - io->position < count) {
        png_error(png, "data is truncated");
    }
    std::memcpy(out, io->input.data() + io->position, count);
    io->position += count;
}

void OnWrite(png_structp png, png_bytep data, size_t count) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        io->output->insert(io->output->end(), data, data + count);
    } catch (...) {
        stored = false;
    }
    if (!stored) {
        png_error(png, "out of memory");
    }
}

void OnFlush(png_structp) {}

bool ReadPng(PngIo& io, Image& image, std::vector<png_bytep>& rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
    if (png == nullptr) {
        std::snprintf(io.message, sizeof io.message, "cannot start the PNG reader");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &io, OnRead);
    png_set_user_limits(png, 1u << 20, 1u << 20);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!ImageSizeAllowed(width, height)) {
        png_error(png, "image is too large");
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);  // bytes B, G, R, A make 0xAARRGGBB
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
        png_set_swap_alpha(png);  // bytes A, R, G, B make 0xAARRGGBB
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
        png_error(png, "unexpected row layout");
    }
    image = Image(static_cast<int>(width), static_cast<int>(height));
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(image.Row(static_cast<int>(y)));
    }
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool WritePng(PngIo& io, const Image& image, bool withAlpha, std::vector<uint8_t>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &io, OnWrite, OnFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t channels = withAlpha ? 4 : 3;
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
            uint8_t* p = row.data() + static_cast<size_t>(x) * channels;
            p[0] = RedOf(src[x]);
            p[1] = GreenOf(src[x]);
            p[2] = BlueOf(src[x]);
            if (withAlpha) {
                p[3] = AlphaOf(src[x]);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool HasPngSignature(std::span<const uint8_t> data) {
    return data.size() >= sizeof kSignature &&
           std::memcmp(data.data(), kSignature, sizeof kSignature) == 0;
}

ImageResult DecodePng(std::span<const uint8_t> data) {
    if (!HasPngSignature(data)) {
        return ImageResult::Failure("not a PNG image");
    }
    PngIo io;
    io.input = data;
    ImageResult result;
    std::vector<png_bytep> rows;
    if (!ReadPng(io, result.image, rows)) {
        return ImageResult::Failure(std::string("PNG: ") + io.message);
    }
    return result;
}

std::vector<uint8_t> EncodePng(const Image& image, bool withAlpha) {
    if (image.Empty() || image.width > (1 << 20) || image.height > (1 << 20)) {
        return {};
    }
    std::vector<uint8_t> out;
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 4);
    PngIo io;
    io.output = &out;
    if (!WritePng(io, image, withAlpha, row)) {
        return {};
    }
    return out;
}

bool SavePngFile(const std::string& path, const Image& image, bool withAlpha, std::string* error) {
    const std::vector<uint8_t> bytes = EncodePng(image, withAlpha);
    std::string text;
    if (bytes.empty()) {
        text = "image cannot be encoded as PNG";
    } else if (WriteFileAtomically(path, bytes, text)) {
        return true;
    }
    if (error) {
        *error = text;
    }
    return false;
}

}  // namespace kq::gfx
