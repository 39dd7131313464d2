#include "platform/gfx/codec/Gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/gfx/codec/FileBytes.h"

namespace kq::gfx {

namespace {

std::string GifErrorText(int code) {
    const char* text = GifErrorString(code);
    return std::string("GIF: ") + (text != nullptr ? text : "unknown error");
}

struct GifInput {
    std::span<const uint8_t> data;
    size_t position = 0;
};

int OnRead(GifFileType* gif, GifByteType* out, int count) {
    auto* input = static_cast<GifInput*>(gif->UserData);
    const size_t available = input->data.size() - input->position;
    const size_t take = std::min(available, static_cast<size_t>(std::max(count, 0)));
    std::memcpy(out, input->data.data() + input->position, take);
    input->position += take;
    return static_cast<int>(take);
}

class GifFile {
  public:
    explicit GifFile(GifInput& input) { gif_ = DGifOpen(&input, OnRead, &openError_); }
    ~GifFile() {
        if (gif_ != nullptr) {
            int ignored = 0;
            DGifCloseFile(gif_, &ignored);
        }
    }
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;

    GifFileType* get() const { return gif_; }
    std::string Error() const { return GifErrorText(gif_ != nullptr ? gif_->Error : openError_); }

  private:
    GifFileType* gif_ = nullptr;
    int openError_ = 0;
};

// The transparent index of a graphic control extension, or -1.
int TransparentIndex(const GifByteType* block) {
    if (block == nullptr || block[0] < 4 || (block[1] & 1) == 0) {
        return -1;
    }
    return block[4];
}

// The canvas may hold this many pixels beyond its frame: a logical screen far larger than
// what the file draws is a damaged or hostile header, not a picture.
constexpr int64_t kMaxCanvasMargin = 4LL * 1024 * 1024;

// The frame's colour indices, row by row from the top. Lines are kept as they are decoded, so
// that the memory follows what the data holds, not what the frame declares.
bool ReadFrameIndices(GifFileType* gif, std::vector<GifPixelType>& indices, std::string& error) {
    const GifImageDesc& desc = gif->Image;
    static constexpr int kPassStart[4] = {0, 4, 2, 1};
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    const auto width = static_cast<size_t>(desc.Width);
    std::vector<GifPixelType> line(width);
    std::vector<std::pair<int, size_t>> rows;  // frame row, offset of its line
    std::vector<GifPixelType> lines;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? kPassStart[pass] : 0;
        const int step = desc.Interlace ? kPassStep[pass] : 1;
        for (int row = start; row < desc.Height; row += step) {
            if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) {
                error = GifErrorText(gif->Error);
                return false;
            }
            rows.emplace_back(row, lines.size());
            lines.insert(lines.end(), line.begin(), line.end());
        }
    }
    if (!desc.Interlace) {
        indices = std::move(lines);
        return true;
    }
    indices.resize(lines.size());
    for (const auto& [row, offset] : rows)
        std::copy_n(lines.begin() + static_cast<std::ptrdiff_t>(offset), width,
                    indices.begin() + static_cast<std::ptrdiff_t>(row * width));
    return true;
}

bool PlaceFrame(const GifFileType* gif, const std::vector<GifPixelType>& indices, int transparent,
                Image& canvas, std::string& error) {
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    for (int row = 0; row < desc.Height; ++row) {
        const int64_t y = static_cast<int64_t>(desc.Top) + row;
        for (int x = 0; x < desc.Width; ++x) {
            const int index = indices[static_cast<size_t>(row) * desc.Width + x];
            if (index >= colours->ColorCount) {
                error = "GIF pixel refers to a colour the table does not have";
                return false;
            }
            const int64_t cx = static_cast<int64_t>(desc.Left) + x;
            if (index == transparent || cx >= canvas.width || y >= canvas.height) {
                continue;
            }
            const GifColorType& c = colours->Colors[index];
            canvas.SetPixel(static_cast<int>(cx), static_cast<int>(y),
                            MakeArgb(0xFF, c.Red, c.Green, c.Blue));
        }
    }
    return true;
}

}  // namespace

ImageResult DecodeGif(std::span<const uint8_t> data) {
    GifInput input{data, 0};
    GifFile file(input);
    GifFileType* gif = file.get();
    if (gif == nullptr) {
        return ImageResult::Failure(file.Error());
    }
    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK) {
            return ImageResult::Failure(file.Error());
        }
        if (type == TERMINATE_RECORD_TYPE) {
            return ImageResult::Failure("GIF file has no image");
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) {
                return ImageResult::Failure(file.Error());
            }
            if (code == GRAPHICS_EXT_FUNC_CODE) {
                transparent = TransparentIndex(block);
            }
            while (block != nullptr) {
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) {
                    return ImageResult::Failure(file.Error());
                }
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) {
            continue;
        }
        if (DGifGetImageDesc(gif) != GIF_OK) {
            return ImageResult::Failure(file.Error());
        }
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
        if (colours == nullptr || colours->Colors == nullptr) {
            return ImageResult::Failure("GIF frame has no colour table");
        }
        if (!ImageSizeAllowed(desc.Width, desc.Height) || desc.Left < 0 || desc.Top < 0) {
            return ImageResult::Failure("GIF frame has an invalid size");
        }
        // A screen of size zero takes the frame's extent.
        const int64_t width = gif->SWidth > 0 ? gif->SWidth : int64_t{desc.Left} + desc.Width;
        const int64_t height = gif->SHeight > 0 ? gif->SHeight : int64_t{desc.Top} + desc.Height;
        const int64_t framePixels = int64_t{desc.Width} * desc.Height;
        if (!ImageSizeAllowed(width, height) || width * height - framePixels > kMaxCanvasMargin) {
            return ImageResult::Failure("GIF image is too large");
        }
        std::vector<GifPixelType> indices;
        std::string error;
        if (!ReadFrameIndices(gif, indices, error)) {
            return ImageResult::Failure(error);
        }
        ImageResult result;
        result.image = Image(static_cast<int>(width), static_cast<int>(height), 0);
        if (!PlaceFrame(gif, indices, transparent, result.image, error)) {
            return ImageResult::Failure(error);
        }
        return result;
    }
}

}  // namespace kq::gfx
