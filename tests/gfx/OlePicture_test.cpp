#include "platform/gfx/OlePicture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "encoded_images.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

// 16 x 16: the top half red, the bottom half blue.
std::vector<uint8_t> TopRedBottomBlueJpeg() {
    return codec_test::WriteJpeg(16, 16, 3, JCS_RGB, [](int, int y, uint8_t* rgb) {
        rgb[0] = y < 8 ? 255 : 0;
        rgb[1] = 0;
        rgb[2] = y < 8 ? 0 : 255;
    });
}

class OlePictureTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::string& path : files_)
            fs::remove(path);
    }

    std::u16string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path =
            (fs::temp_directory_path() / (name + std::to_string(::getpid()))).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        files_.push_back(path);
        return kq::Utf8ToWide(path);
    }

    static IPicture* Load(const std::u16string& path, HRESULT* result = nullptr) {
        void* object = reinterpret_cast<void*>(1);
        const HRESULT hr = OleLoadPicturePath(path.c_str(), nullptr, 0, 0, IID_IPicture, &object);
        if (result)
            *result = hr;
        return static_cast<IPicture*>(object);
    }

  private:
    std::vector<std::string> files_;
};

// A memory DC over a w x h bitmap filled with one colour.
struct Canvas {
    Canvas(int w, int h, uint32_t argb) {
        dc = ::CreateCompatibleDC(nullptr);
        bitmap = BitmapFromImage(Image(w, h, argb));
        old = ::SelectObject(dc, bitmap);
    }
    ~Canvas() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

bool Near(COLORREF a, COLORREF b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 24 || d < -24)
            return false;
    }
    return true;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST_F(OlePictureTest, JpegReportsHimetricAndRendersUprightAtAnySize) {
    IPicture* picture = Load(Write("ole-jpeg", TopRedBottomBlueJpeg()));
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    ASSERT_EQ(picture->get_Width(&w), S_OK);
    ASSERT_EQ(picture->get_Height(&h), S_OK);
    EXPECT_EQ(w, 423);  // 16 pixels at 96 dpi: 16 * 2540 / 96 = 423.3
    EXPECT_EQ(h, 423);
    // Back to pixels the way callers size their bitmap.
    EXPECT_EQ(MulDiv(w, 96, 2540), 16);

    // The usual call: the whole picture, y counted up from the bottom, stretched to 40 x 60.
    Canvas canvas(50, 70, 0xFF00FF00u);
    ASSERT_EQ(picture->Render(canvas.dc, 5, 5, 40, 60, 0, h, w, -h, nullptr), S_OK);
    EXPECT_TRUE(Near(canvas.At(25, 10), kRed));
    EXPECT_TRUE(Near(canvas.At(25, 60), kBlue));
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 255, 0));    // outside the rectangle
    EXPECT_EQ(canvas.At(47, 67), RGB(0, 255, 0));  // right and bottom edges exclusive
    EXPECT_TRUE(Near(canvas.At(44, 64), kBlue));

    // A source running downwards turns the picture upside down.
    ASSERT_EQ(picture->Render(canvas.dc, 5, 5, 40, 60, 0, 0, w, h, nullptr), S_OK);
    EXPECT_TRUE(Near(canvas.At(25, 10), kBlue));
    EXPECT_TRUE(Near(canvas.At(25, 60), kRed));

    // Only the upper half of the picture, filling the whole rectangle.
    ASSERT_EQ(picture->Render(canvas.dc, 5, 5, 40, 60, 0, h, w, -h / 2, nullptr), S_OK);
    EXPECT_TRUE(Near(canvas.At(25, 10), kRed));
    EXPECT_TRUE(Near(canvas.At(25, 60), kRed));

    EXPECT_EQ(picture->Render(nullptr, 0, 0, 4, 4, 0, h, w, -h, nullptr), E_INVALIDARG);
    EXPECT_EQ(picture->Render(canvas.dc, 0, 0, 0, 4, 0, h, w, -h, nullptr), E_INVALIDARG);
    EXPECT_EQ(picture->get_Width(nullptr), E_POINTER);

    // Interfaces and references: another reference keeps the picture after the first goes.
    void* unknown = nullptr;
    ASSERT_EQ(picture->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<void*>(picture));
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(picture->QueryInterface(GUID{1, 2, 3, {4}}, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(picture->Release(), 1u);
    EXPECT_EQ(picture->get_Height(&h), S_OK);
    EXPECT_EQ(picture->Release(), 0u);
}

TEST_F(OlePictureTest, GifTransparencyLeavesTheDestination) {
    IPicture* picture = Load(Write("ole-gif", codec_test::HoleGif()));
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    Canvas canvas(30, 10, 0xFF0000FFu);  // blue
    ASSERT_EQ(picture->Render(canvas.dc, 0, 0, 30, 10, 0, h, w, -h, nullptr), S_OK);
    EXPECT_EQ(canvas.At(4, 5), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(15, 5), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(25, 5), RGB(255, 255, 0));
    picture->Release();
}

TEST_F(OlePictureTest, MissingDamagedOrForeignFilesFailWithoutAnObject) {
    HRESULT hr = S_OK;
    EXPECT_EQ(Load(u"/nonexistent-folder/picture.jpg", &hr), nullptr);
    EXPECT_EQ(hr, CTL_E_FILENOTFOUND);
    EXPECT_TRUE(FAILED(hr));

    std::vector<uint8_t> cut = TopRedBottomBlueJpeg();
    cut.resize(cut.size() / 3);
    EXPECT_EQ(Load(Write("ole-cut", cut), &hr), nullptr);
    EXPECT_TRUE(FAILED(hr));

    std::vector<uint8_t> gif = codec_test::HoleGif();
    gif.resize(12);
    EXPECT_EQ(Load(Write("ole-cutgif", gif), &hr), nullptr);
    EXPECT_TRUE(FAILED(hr));

    const std::string text = "just some text";
    EXPECT_EQ(Load(Write("ole-text", std::vector<uint8_t>(text.begin(), text.end())), &hr),
              nullptr);
    EXPECT_EQ(hr, CTL_E_INVALIDPICTURE);

    void* object = nullptr;
    EXPECT_EQ(OleLoadPicturePath(u"", nullptr, 0, 0, IID_IPicture, &object), E_INVALIDARG);
    EXPECT_EQ(OleLoadPicturePath(u"/x.gif", nullptr, 0, 0, IID_IPicture, nullptr), E_POINTER);
    EXPECT_EQ(OleLoadPicturePath(u"/x.gif", nullptr, 0, 0, GUID{}, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
