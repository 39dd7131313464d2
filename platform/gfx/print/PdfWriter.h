// A minimal PDF 1.4 writer for printed pages: each page is one RGB image, Flate-compressed and
// drawn over the whole page, whose physical size follows from the image size and resolution.
// The file is written atomically: it appears complete when End succeeds and not at all otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Image.h"
#include "platform/gfx/codec/AtomicFile.h"

namespace kq::gfx {

class PdfWriter {
  public:
    bool Begin(const std::string& path, const std::string& title);
    // Pages are opaque: the pixels' alpha is ignored.
    bool AddPage(const Image& page, double dpiX = 300.0, double dpiY = 300.0);
    bool End();
    void Abort();

    bool IsOpen() const { return file_.IsOpen(); }
    int PageCount() const { return static_cast<int>(pageObjects_.size()); }
    const std::string& Error() const { return error_; }

  private:
    int NewObject();
    bool StartObject(int number);
    bool WriteImageStream(const Image& page);
    bool Fail(const std::string& text);

    AtomicFile file_;
    std::vector<uint64_t> offsets_;  // by object number; 0 = not yet written
    std::vector<int> pageObjects_;
    std::string title_;
    std::string error_;
    bool failed_ = false;
};

}  // namespace kq::gfx
