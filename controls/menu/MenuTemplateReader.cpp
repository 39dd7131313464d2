// The bounded reader of binary menu templates.
#include "controls/menu/MenuTemplateReader.h"

namespace kq::controls::menu {

namespace {
constexpr WORD kPopup = 0x0010;
}

bool MenuTemplateReader::Word(WORD& value) {
    if (!data_ || size_ - at_ < 2 || at_ > size_)
        return false;
    value = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return true;
}

bool MenuTemplateReader::SkipHeader() {
    WORD version = 0, offset = 0;
    if (!Word(version) || !Word(offset) || version != 0 || offset > size_ - at_)
        return false;
    at_ += offset;
    return true;
}

bool MenuTemplateReader::Next(TemplateItem& item) {
    item = TemplateItem{};
    if (!Word(item.option))
        return false;
    if (!(item.option & kPopup) && !Word(item.id))
        return false;
    for (;;) {
        WORD c = 0;
        if (!Word(c))
            return false;
        if (c == 0)
            return true;
        item.text.push_back(static_cast<char16_t>(c));
    }
}

}  // namespace kq::controls::menu
