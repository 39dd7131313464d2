// libjpeg's default error handler exits the process; this one jumps back to the setjmp in the
// function that drives the library, which therefore holds no object with a destructor.
#include "platform/gfx/codec/Jpeg.h"

#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "platform/gfx/codec/FileBytes.h"

namespace kq::gfx {

namespace {

// A progressive file can declare thousands of tiny scans that each cost a full pass over the
// image; real encoders use a dozen or so.
constexpr int kMaxScans = 1000;

struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    longjmp(error->jump, 1);
}

// Warnings are ignored except the one for data that ends early: libjpeg would go on decoding
// grey filler for the rest of a possibly huge image, but the file is invalid anyway.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        auto* error = reinterpret_cast<JpegError*>(info->err);
        std::snprintf(error->message, sizeof error->message, "data is truncated");
        longjmp(error->jump, 1);
    }
}

void OnProgress(j_common_ptr info) {
    auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->input_scan_number > kMaxScans) {
        auto* error = reinterpret_cast<JpegError*>(info->err);
        std::snprintf(error->message, sizeof error->message, "too many scans");
        longjmp(error->jump, 1);
    }
}

uint32_t CmykToArgb(const uint8_t* p, bool inverted) {
    uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    // Inverted (Adobe) values: 255 means no ink.
    return MakeArgb(0xFF, c * k / 255, m * k / 255, y * k / 255);
}

bool ReadJpeg(std::span<const uint8_t> data, JpegError& error, jpeg_decompress_struct& info,
              Image& image, std::vector<uint8_t>& row) {
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnError;
    error.manager.emit_message = OnMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (!ImageSizeAllowed(info.image_width, info.image_height)) {
        std::snprintf(error.message, sizeof error.message, "image is too large");
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != (cmyk ? 4 : 3)) {
        std::snprintf(error.message, sizeof error.message, "unexpected colour layout");
        jpeg_destroy_decompress(&info);
        return false;
    }
    image = Image(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    row.resize(static_cast<size_t>(info.output_width) * static_cast<size_t>(components));
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            std::snprintf(error.message, sizeof error.message, "data is truncated");
            jpeg_destroy_decompress(&info);
            return false;
        }
        uint32_t* dest = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = row.data() + static_cast<size_t>(x) * components;
            dest[x] =
                cmyk ? CmykToArgb(p, info.saw_Adobe_marker) : MakeArgb(0xFF, p[0], p[1], p[2]);
        }
    }
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

ImageResult DecodeJpeg(std::span<const uint8_t> data) {
    if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return ImageResult::Failure("not a JPEG image");
    }
    JpegError error{};
    jpeg_decompress_struct info{};
    ImageResult result;
    std::vector<uint8_t> row;
    if (!ReadJpeg(data, error, info, result.image, row)) {
        return ImageResult::Failure(std::string("JPEG: ") + error.message);
    }
    return result;
}

}  // namespace kq::gfx
