// Reads a standard binary MENU template within its size: every read answers false instead of
// going past the end, so a template that ends early is refused.
#pragma once

#include <cstddef>
#include <string>

#include "platform/base/WinTypes.h"

namespace kq::controls::menu {

struct TemplateItem {
    WORD option = 0;  // MF_ flags as stored, MF_END included
    WORD id = 0;      // 0 for pop-ups, which store none
    std::u16string text;
};

class MenuTemplateReader {
  public:
    MenuTemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}
    // Skips the header (version word, offset word, then that many bytes).
    bool SkipHeader();
    bool Next(TemplateItem& item);

  private:
    bool Word(WORD& value);

    const BYTE* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace kq::controls::menu
