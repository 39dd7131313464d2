// JPEG, GIF and PNG decoding, checked against files the test writes with the libraries' own
// encoders.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "encoded_images.h"
#include "platform/gfx/codec/Gif.h"
#include "platform/gfx/codec/Jpeg.h"
#include "platform/gfx/codec/Png.h"

using namespace kq::gfx;
using namespace kq::gfx::codec_test;

namespace {

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

// Four 8x8 blocks of red, green, blue and white.
const uint32_t kBlocks[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
uint32_t BlockColour(int x, int y) {
    return kBlocks[(y / 8) * 2 + x / 8];
}

struct GifFrame {
    int left, top, width, height;
    bool interlace;
    std::vector<uint8_t> indices;  // rows top-down
};

std::vector<uint8_t> WriteGif(int screenW, int screenH, int colourCount, int transparent,
                              const std::vector<GifFrame>& frames) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifSink, &error);
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours(static_cast<size_t>(colourCount));
    for (int i = 0; i < colourCount; ++i) {
        colours[i] = {static_cast<GifByteType>(i * 60), static_cast<GifByteType>(255 - i * 60),
                      static_cast<GifByteType>(i * 20)};
    }
    ColorMapObject* map = colourCount > 0 ? GifMakeMapObject(colourCount, colours.data()) : nullptr;
    EGifPutScreenDesc(gif, screenW, screenH, 8, 0, map);
    if (transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = transparent;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    for (const GifFrame& f : frames) {
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, nullptr);
        std::vector<int> order;
        if (f.interlace) {
            for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
                for (int y = start; y < f.height; y += step) {
                    order.push_back(y);
                }
            }
        } else {
            for (int y = 0; y < f.height; ++y) {
                order.push_back(y);
            }
        }
        for (int y : order) {
            std::vector<GifPixelType> line(f.indices.begin() + y * f.width,
                                           f.indices.begin() + (y + 1) * f.width);
            EGifPutLine(gif, line.data(), f.width);
        }
    }
    EGifCloseFile(gif, &error);
    if (map) {
        GifFreeMapObject(map);
    }
    return out;
}

uint32_t GifColour(int i) {
    return MakeArgb(0xFF, i * 60, 255 - i * 60, i * 20);
}

}  // namespace

TEST(CodecFormats, JpegColourGreyProgressiveAndCmyk) {
    const PixelFill rgb = [](int x, int y, uint8_t* p) {
        const uint32_t c = BlockColour(x, y);
        p[0] = RedOf(c);
        p[1] = GreenOf(c);
        p[2] = BlueOf(c);
    };
    for (bool progressive : {false, true}) {
        const ImageResult r = DecodeJpeg(WriteJpeg(16, 16, 3, JCS_RGB, rgb, progressive));
        ASSERT_TRUE(r.Ok()) << r.error;
        ASSERT_EQ(r.image.width, 16);
        ASSERT_EQ(r.image.height, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                ASSERT_TRUE(Near(r.image.Pixel(x, y), BlockColour(x, y), 8)) << x << "," << y;
            }
        }
    }
    ImageResult grey =
        DecodeJpeg(WriteJpeg(8, 8, 1, JCS_GRAYSCALE, [](int, int, uint8_t* p) { p[0] = 0x80; }));
    ASSERT_TRUE(grey.Ok()) << grey.error;
    EXPECT_TRUE(Near(grey.image.Pixel(3, 3), 0xFF808080, 2));
    // Adobe CMYK stores inverted ink values: this is pure red.
    ImageResult cmyk = DecodeJpeg(WriteJpeg(8, 8, 4, JCS_CMYK, [](int, int, uint8_t* p) {
        p[0] = 255;
        p[1] = 0;
        p[2] = 0;
        p[3] = 255;
    }));
    ASSERT_TRUE(cmyk.Ok()) << cmyk.error;
    EXPECT_TRUE(Near(cmyk.image.Pixel(3, 3), 0xFFFF0000, 8)) << std::hex << cmyk.image.Pixel(3, 3);
}

TEST(CodecFormats, JpegDamageIsAnErrorNotAnExit) {
    const std::vector<uint8_t> good =
        WriteJpeg(16, 16, 3, JCS_RGB, [](int x, int y, uint8_t* p) { p[0] = p[1] = p[2] = x * y; });
    ASSERT_TRUE(DecodeJpeg(good).Ok());
    for (size_t n = 0; n + 2 < good.size(); n += 5) {
        EXPECT_FALSE(DecodeJpeg(std::span(good).first(n)).Ok()) << "length " << n;
    }
    std::vector<uint8_t> garbage = good;
    for (size_t i = 2; i < garbage.size(); ++i) {
        garbage[i] = static_cast<uint8_t>(i * 37);
    }
    EXPECT_FALSE(DecodeJpeg(garbage).Ok());
    // A frame header claiming 65000 x 65000 pixels.
    std::vector<uint8_t> huge = good;
    for (size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0xFD;
            huge[i + 6] = huge[i + 8] = 0xE8;
            break;
        }
    }
    EXPECT_FALSE(DecodeJpeg(huge).Ok());
}

TEST(CodecFormats, GifFirstFrameOnScreenWithTransparencyAndInterlace) {
    GifFrame first{1, 2, 3, 10, true, {}};
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 3; ++x) {
            first.indices.push_back(static_cast<uint8_t>((y * 3 + x) % 4));
        }
    }
    const GifFrame second{0, 0, 5, 12, false, std::vector<uint8_t>(60, 1)};
    const ImageResult r = DecodeGif(WriteGif(5, 12, 4, 3, {first, second}));
    ASSERT_TRUE(r.Ok()) << r.error;
    ASSERT_EQ(r.image.width, 5);
    ASSERT_EQ(r.image.height, 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 5; ++x) {
            uint32_t expected = 0;  // outside the first frame
            if (x >= 1 && x < 4 && y >= 2) {
                const int index = ((y - 2) * 3 + (x - 1)) % 4;
                expected = index == 3 ? 0 : GifColour(index);
            }
            EXPECT_EQ(r.image.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(CodecFormats, GifDamageIsAnError) {
    const std::vector<uint8_t> good =
        WriteGif(4, 4, 4, -1, {{0, 0, 4, 4, false, std::vector<uint8_t>(16, 2)}});
    ASSERT_TRUE(DecodeGif(good).Ok());
    EXPECT_EQ(DecodeGif(good).image.Pixel(3, 3), GifColour(2));
    for (size_t n = 0; n + 2 < good.size(); ++n) {
        EXPECT_FALSE(DecodeGif(std::span(good).first(n)).Ok()) << "length " << n;
    }
    EXPECT_FALSE(
        DecodeGif(WriteGif(4, 4, 0, -1, {{0, 0, 4, 4, false, std::vector<uint8_t>(16, 0)}})).Ok());
    EXPECT_FALSE(DecodeGif(WriteGif(65535, 65535, 2, -1, {{0, 0, 1, 1, false, {0}}})).Ok());
    EXPECT_FALSE(DecodeGif(WriteGif(4, 4, 2, -1, {})).Ok());  // no image at all
    // A screen millions of pixels larger than its frame is refused, also when a height of 0
    // grows to a frame far down; a screen some way larger still shows its frame.
    const std::vector<uint8_t> tiny(32, 1);
    EXPECT_FALSE(DecodeGif(WriteGif(29958, 1801, 2, -1, {{1, 1, 4, 8, false, tiny}})).Ok());
    EXPECT_FALSE(DecodeGif(WriteGif(1545, 0, 2, -1, {{12033, 15714, 4, 8, false, tiny}})).Ok());
    const ImageResult wide = DecodeGif(WriteGif(1000, 1000, 2, -1, {{1, 1, 4, 8, false, tiny}}));
    ASSERT_TRUE(wide.Ok()) << wide.error;
    EXPECT_EQ(wide.image.width, 1000);
    EXPECT_EQ(wide.image.Pixel(4, 8), GifColour(1));
}

TEST(CodecFormats, PngRoundTripAndLibpngVariants) {
    Image image(3, 2);
    image.pixels = {0xFF102030, 0x80405060, 0x00708090, 0xFFFFFFFF, 0xFF000000, 0x7F7F7F7F};
    ImageResult rgba = DecodePng(EncodePng(image, true));
    ASSERT_TRUE(rgba.Ok()) << rgba.error;
    EXPECT_EQ(rgba.image.pixels, image.pixels);
    ImageResult rgb = DecodePng(EncodePng(image));
    ASSERT_TRUE(rgb.Ok()) << rgb.error;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        EXPECT_EQ(rgb.image.pixels[i], image.pixels[i] | 0xFF000000);
    }

    // Interlaced two-bit palette image with a transparent entry, written by libpng itself.
    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &file,
        [](png_structp p, png_bytep data, size_t n) {
            auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            out->insert(out->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, 9, 9, 2, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_ADAM7,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[3] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}};
    png_set_PLTE(png, info, palette, 3);
    png_byte alpha[1] = {0};
    png_set_tRNS(png, info, alpha, 1, nullptr);
    png_write_info(png, info);
    png_set_packing(png);
    std::vector<std::vector<png_byte>> rows(9, std::vector<png_byte>(9));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            rows[y][x] = static_cast<png_byte>((x + y) % 3);
        }
        pointers.push_back(rows[y].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    const uint32_t expected[3] = {0x00000000, 0xFFFF0000, 0xFF0000FF};
    const ImageResult r = DecodePng(file);
    ASSERT_TRUE(r.Ok()) << r.error;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(r.image.Pixel(x, y), expected[(x + y) % 3]) << x << "," << y;
        }
    }
}

TEST(CodecFormats, PngDamageIsAnError) {
    const std::vector<uint8_t> good = EncodePng(Image(5, 5, 0xFF336699));
    for (size_t n = 0; n + 12 < good.size(); ++n) {
        EXPECT_FALSE(DecodePng(std::span(good).first(n)).Ok()) << "length " << n;
    }
    std::vector<uint8_t> crc = good;
    crc[29] ^= 1;  // inside the header chunk's CRC
    EXPECT_FALSE(DecodePng(crc).Ok());
    std::vector<uint8_t> huge = good;
    huge[17] = huge[21] = 0x10;  // 1 M x 1 M pixels; the CRC is wrong as well
    EXPECT_FALSE(DecodePng(huge).Ok());
    EXPECT_TRUE(EncodePng(Image()).empty());
}
