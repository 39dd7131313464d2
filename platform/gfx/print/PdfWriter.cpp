#include "platform/gfx/print/PdfWriter.h"

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kq::gfx {

namespace {

constexpr int kCatalog = 1;
constexpr int kPageTree = 2;
constexpr int kInfo = 3;

std::string Number(double value) {
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return std::string(text, r.ptr);
}

std::string Ref(int object) {
    return std::to_string(object) + " 0 R";
}

// UTF-8 to a PDF text string: UTF-16BE with byte-order mark, hex-encoded. Malformed sequences
// become U+FFFD.
std::string PdfTextString(const std::string& utf8) {
    std::string hex = "<FEFF";
    const auto put16 = [&hex](uint32_t unit) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04X", unit & 0xFFFF);
        hex += buf;
    };
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<uint8_t>(utf8[i]);
        const int length = c < 0x80         ? 1
                           : (c >> 5) == 6  ? 2
                           : (c >> 4) == 14 ? 3
                           : (c >> 3) == 30 ? 4
                                            : 0;
        uint32_t cp = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
        bool valid = length > 0 && i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<uint8_t>(utf8[i + k]);
            valid = (cont & 0xC0) == 0x80;
            cp = (cp << 6) | (cont & 0x3F);
        }
        static constexpr uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && cp >= kMin[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!valid) {
            put16(0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            put16(0xD800 + ((cp - 0x10000) >> 10));
            put16(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put16(cp);
        }
        i += length;
    }
    return hex + ">";
}

}  // namespace

bool PdfWriter::Fail(const std::string& text) {
    if (!failed_) {
        error_ = text.empty() ? "cannot write the document" : text;
        failed_ = true;
    }
    return false;
}

bool PdfWriter::Begin(const std::string& path, const std::string& title) {
    Abort();
    failed_ = false;
    error_.clear();
    title_ = title;
    offsets_.assign(kInfo + 1, 0);
    pageObjects_.clear();
    if (!file_.Open(path)) {
        return Fail(file_.Error());
    }
    // The comment of high bytes marks the file as binary for transfer programs.
    return file_.Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") || Fail(file_.Error());
}

int PdfWriter::NewObject() {
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size() - 1);
}

bool PdfWriter::StartObject(int number) {
    offsets_[static_cast<size_t>(number)] = file_.BytesWritten();
    return file_.Write(std::to_string(number) + " 0 obj\n");
}

bool PdfWriter::AddPage(const Image& page, double dpiX, double dpiY) {
    if (!file_.IsOpen() || failed_) {
        return Fail("no document is open");
    }
    if (page.Empty() || !(dpiX > 0) || !(dpiY > 0) || !std::isfinite(dpiX) ||
        !std::isfinite(dpiY) ||
        page.pixels.size() != static_cast<size_t>(page.width) * page.height) {
        return Fail("invalid page image or resolution");
    }
    const int pageObject = NewObject();
    const int contents = NewObject();
    const int image = NewObject();
    const int length = NewObject();
    const std::string w = Number(page.width * 72.0 / dpiX);
    const std::string h = Number(page.height * 72.0 / dpiY);
    const std::string drawing = "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q";
    const bool ok =
        StartObject(pageObject) &&
        file_.Write("<< /Type /Page /Parent " + Ref(kPageTree) + " /MediaBox [0 0 " + w + " " + h +
                    "] /Resources << /XObject << /Im0 " + Ref(image) + " >> >> /Contents " +
                    Ref(contents) + " >>\nendobj\n") &&
        StartObject(contents) &&
        file_.Write("<< /Length " + std::to_string(drawing.size()) + " >>\nstream\n" + drawing +
                    "\nendstream\nendobj\n") &&
        StartObject(image) &&
        file_.Write("<< /Type /XObject /Subtype /Image /Width " + std::to_string(page.width) +
                    " /Height " + std::to_string(page.height) +
                    " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
                    Ref(length) + " >>\nstream\n");
    if (!ok) {
        return Fail(file_.Error());
    }
    const uint64_t streamStart = file_.BytesWritten();
    if (!WriteImageStream(page)) {
        return false;
    }
    const uint64_t streamLength = file_.BytesWritten() - streamStart;
    if (!file_.Write("\nendstream\nendobj\n") || !StartObject(length) ||
        !file_.Write(std::to_string(streamLength) + "\nendobj\n")) {
        return Fail(file_.Error());
    }
    pageObjects_.push_back(pageObject);
    return true;
}

bool PdfWriter::WriteImageStream(const Image& page) {
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) {
        return Fail("cannot start compression");
    }
    std::vector<uint8_t> row(static_cast<size_t>(page.width) * 3);
    std::vector<uint8_t> out(1 << 16);
    bool ok = true;
    for (int y = 0; y <= page.height && ok; ++y) {
        const bool last = y == page.height;
        if (!last) {
            const uint32_t* src = page.Row(y);
            for (int x = 0; x < page.width; ++x) {
                row[3 * x] = RedOf(src[x]);
                row[3 * x + 1] = GreenOf(src[x]);
                row[3 * x + 2] = BlueOf(src[x]);
            }
        }
        z.next_in = row.data();
        z.avail_in = last ? 0 : static_cast<uInt>(row.size());
        int status = Z_OK;
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR) {
                ok = Fail("compression failed");
                break;
            }
            const size_t produced = out.size() - z.avail_out;
            if (produced > 0 && !file_.Write(out.data(), produced)) {
                ok = Fail(file_.Error());
                break;
            }
        } while (z.avail_out == 0 || (last && status != Z_STREAM_END));
    }
    deflateEnd(&z);
    return ok;
}

bool PdfWriter::End() {
    if (!file_.IsOpen() || failed_) {
        Fail("no document is open");
        Abort();
        return false;
    }
    if (pageObjects_.empty()) {
        Fail("the document has no pages");
        Abort();
        return false;
    }
    std::string kids;
    for (int page : pageObjects_) {
        kids += (kids.empty() ? "" : " ") + Ref(page);
    }
    bool ok = StartObject(kPageTree) &&
              file_.Write("<< /Type /Pages /Kids [" + kids + "] /Count " +
                          std::to_string(pageObjects_.size()) + " >>\nendobj\n") &&
              StartObject(kCatalog) &&
              file_.Write("<< /Type /Catalog /Pages " + Ref(kPageTree) + " >>\nendobj\n") &&
              StartObject(kInfo) &&
              file_.Write("<< /Title " + PdfTextString(title_) + " >>\nendobj\n");
    const uint64_t xref = file_.BytesWritten();
    std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f\r\n";
    for (size_t i = 1; i < offsets_.size(); ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010llu 00000 n\r\n",
                      static_cast<unsigned long long>(offsets_[i]));
        table += entry;
    }
    table += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root " + Ref(kCatalog) +
             " /Info " + Ref(kInfo) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    ok = ok && file_.Write(table) && file_.Commit();
    if (!ok) {
        Fail(file_.Error());
        Abort();
    }
    return ok;
}

void PdfWriter::Abort() {
    file_.Discard();
    offsets_.clear();
    pageObjects_.clear();
}

}  // namespace kq::gfx
