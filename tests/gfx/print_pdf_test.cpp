#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gfx/print/PdfWriter.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

class PrintPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kq_print_pdf_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A page with blocks of colour and a one-pixel frame, so that both areas and edges count.
Image PageImage(int w, int h) {
    Image image(w, h, 0xFFFFFFFF);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                image.SetPixel(x, y, 0xFF000000);
            } else if (x < w / 2 && y < h / 2) {
                image.SetPixel(x, y, 0xFFE02010);
            } else if (x >= w / 2 && y >= h / 2) {
                image.SetPixel(x, y, 0xFF1030C0);
            } else if (x % 10 < 5) {
                image.SetPixel(x, y, 0xFF20A040);
            }
        }
    }
    return image;
}

// Binary PPM (P6) as pdftoppm writes it.
Image ReadPpm(const std::string& path) {
    const std::string data = ReadAll(path);
    std::istringstream in(data);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    Image image(w, h);
    const size_t start = static_cast<size_t>(in.tellg());
    if (magic != "P6" || max != 255 || data.size() < start + static_cast<size_t>(w) * h * 3) {
        return Image();
    }
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const uint8_t*>(data.data() + start + i * 3);
        image.pixels[i] = MakeArgb(0xFF, p[0], p[1], p[2]);
    }
    return image;
}

// Pixels of the rendering that do not match the page image within the tolerance. The renderer
// may blend a pixel next to a colour edge with its neighbour, so a pixel also passes when every
// channel lies within the range of the page image's 3x3 neighbourhood there.
int Mismatches(const Image& rendered, const Image& page, int tolerance, bool allowEdgeBlend) {
    int count = 0;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            const uint32_t r = rendered.Pixel(x, y);
            bool ok = true;
            for (int shift = 0; shift < 24 && ok; shift += 8) {
                int low = (page.Pixel(x, y) >> shift) & 0xFF;
                int high = low;
                for (int dy = -1; dy <= 1 && allowEdgeBlend; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = std::clamp(x + dx, 0, page.width - 1);
                        const int ny = std::clamp(y + dy, 0, page.height - 1);
                        const int v = (page.Pixel(nx, ny) >> shift) & 0xFF;
                        low = std::min(low, v);
                        high = std::max(high, v);
                    }
                }
                const int v = (r >> shift) & 0xFF;
                ok = v >= low - tolerance && v <= high + tolerance;
            }
            count += ok ? 0 : 1;
        }
    }
    return count;
}

// Every xref entry must point at the start of its object, and startxref at the table.
void CheckCrossReferences(const std::string& pdf) {
    const size_t start = pdf.rfind("startxref\n");
    ASSERT_NE(start, std::string::npos);
    const size_t table = std::stoul(pdf.substr(start + 10));
    ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
    std::istringstream in(pdf.substr(table + 5));
    int first = 0, count = 0;
    in >> first >> count;
    in.get();
    ASSERT_EQ(first, 0);
    for (int object = 0; object < count; ++object) {
        char entry[21] = {};
        in.read(entry, 20);
        const std::string line(entry, 20);
        ASSERT_EQ(line.substr(18), "\r\n");
        if (object == 0) {
            EXPECT_EQ(line.substr(0, 18), "0000000000 65535 f");
            continue;
        }
        const size_t offset = std::stoul(line.substr(0, 10));
        const std::string header = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(offset, header.size(), header), 0) << "object " << object;
    }
    EXPECT_NE(pdf.find("/Size " + std::to_string(count)), std::string::npos);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

}  // namespace

TEST_F(PrintPdf, PagesReadBackWithPdftoppmMatchTheImages) {
    const Image portrait = PageImage(150, 212);
    const Image landscape = PageImage(212, 150);
    PdfWriter pdf;
    ASSERT_TRUE(pdf.Begin(Path("job.pdf"), "Messen \xC3\x9C")) << pdf.Error();
    ASSERT_TRUE(pdf.AddPage(portrait, 50, 50)) << pdf.Error();
    ASSERT_TRUE(pdf.AddPage(landscape, 50, 50)) << pdf.Error();
    EXPECT_EQ(pdf.PageCount(), 2);
    ASSERT_TRUE(pdf.End()) << pdf.Error();

    const std::string bytes = ReadAll(Path("job.pdf"));
    EXPECT_EQ(bytes.rfind("%PDF-1.4\n", 0), 0u);
    CheckCrossReferences(bytes);
    EXPECT_NE(bytes.find("/MediaBox [0 0 216.000 305.280]"), std::string::npos);
    EXPECT_NE(bytes.find("/Title <FEFF004D0065007300730065006E002000DC>"), std::string::npos);

    const std::string command = "pdftoppm -r 50 '" + Path("job.pdf") + "' '" + Path("page") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Image first = ReadPpm(Path("page-1.ppm"));
    const Image second = ReadPpm(Path("page-2.ppm"));
    ASSERT_EQ(first.width, portrait.width);
    ASSERT_EQ(first.height, portrait.height);
    ASSERT_EQ(second.width, landscape.width);
    ASSERT_EQ(second.height, landscape.height);
    EXPECT_EQ(Mismatches(first, portrait, 4, true), 0);
    EXPECT_EQ(Mismatches(second, landscape, 4, true), 0);
    // Only pixels at colour edges may be blended.
    EXPECT_LT(Mismatches(first, portrait, 4, false), 150 * 212 / 8);
    EXPECT_LT(Mismatches(second, landscape, 4, false), 150 * 212 / 8);
}

TEST_F(PrintPdf, FullDiskFailsWithoutReplacingTheTarget) {
    PdfWriter pdf;
    ASSERT_TRUE(pdf.Begin("/dev/full", "full"));
    pdf.AddPage(PageImage(300, 300), 300, 300);
    EXPECT_FALSE(pdf.End());
    EXPECT_NE(pdf.Error().find("/dev/full"), std::string::npos) << pdf.Error();
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));  // still the device, not a file renamed over it
}

TEST_F(PrintPdf, AbortAndFailuresLeaveTheOldFileAndNoLeftovers) {
    const std::string path = Path("out.pdf");
    std::ofstream(path) << "previous";
    PdfWriter pdf;
    ASSERT_TRUE(pdf.Begin(path, "t"));
    ASSERT_TRUE(pdf.AddPage(PageImage(20, 20), 72, 72));
    pdf.Abort();
    EXPECT_EQ(ReadAll(path), "previous");

    ASSERT_TRUE(pdf.Begin(path, "t"));
    EXPECT_FALSE(pdf.AddPage(Image(), 72, 72));
    EXPECT_FALSE(pdf.AddPage(PageImage(20, 20), 72, 72));  // the document has failed
    EXPECT_FALSE(pdf.End());
    EXPECT_EQ(ReadAll(path), "previous");

    ASSERT_TRUE(pdf.Begin(path, "t"));
    EXPECT_FALSE(pdf.AddPage(PageImage(20, 20), 0, 72));
    ASSERT_TRUE(pdf.Begin(path, "t"));
    EXPECT_FALSE(pdf.End());  // no pages
    EXPECT_EQ(ReadAll(path), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);

    EXPECT_FALSE(pdf.Begin(Path("missing/out.pdf"), "t"));
    EXPECT_FALSE(pdf.Error().empty());
}
