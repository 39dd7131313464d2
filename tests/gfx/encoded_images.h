// Small images written with the libraries' own encoders, for the decoders' tests.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace kq::gfx::codec_test {

using PixelFill = std::function<void(int x, int y, uint8_t* sample)>;

inline std::vector<uint8_t> WriteJpeg(int w, int h, int components, J_COLOR_SPACE space,
                                      const PixelFill& fill, bool progressive = false) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;  // full-resolution colour
    if (progressive) {
        jpeg_simple_progression(&c);
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w * components));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            fill(x, y, row.data() + x * components);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

inline int GifSink(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

// 3 x 1: yellow, transparent, yellow.
inline std::vector<uint8_t> HoleGif() {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifSink, &error);
    EGifSetGifVersion(gif, true);
    GifColorType colours[2] = {{255, 255, 0}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, 3, 1, 8, 0, map);
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = 1;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    EGifPutImageDesc(gif, 0, 0, 3, 1, false, nullptr);
    GifPixelType line[3] = {0, 1, 0};
    EGifPutLine(gif, line, 3);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

}  // namespace kq::gfx::codec_test
