#include "platform/base/BinaryMenuTemplate.h"

#include "platform/base/Utf16.h"

namespace kq {
namespace {

void PutWord(std::vector<BYTE>& out, WORD value) {
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>(value >> 8));
}

void PutText(std::vector<BYTE>& out, std::string_view text) {
    const std::string utf16 = Utf8ToUtf16Le(text);
    out.insert(out.end(), utf16.begin(), utf16.end());
    PutWord(out, 0);
}

WORD GetWord(const BYTE* at) {
    return static_cast<WORD>(at[0] | (at[1] << 8));
}

void PutItems(std::vector<BYTE>& out, std::span<const MenuItemTemplate> items) {
    if (items.empty()) {
        PutWord(out, kMenuItemEnd);
        PutWord(out, 0);
        PutWord(out, 0);
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemTemplate& item = items[i];
        const WORD end = i + 1 == items.size() ? kMenuItemEnd : 0;
        if (item.flags & MenuItemTemplate::Popup) {
            PutWord(out, static_cast<WORD>((item.flags & ~MenuItemTemplate::Separator) | end));
            PutText(out, item.text);
            PutItems(out, item.children);
        } else if (item.flags & MenuItemTemplate::Separator) {
            PutWord(out, end);
            PutWord(out, 0);
            PutWord(out, 0);
        } else {
            PutWord(out, static_cast<WORD>(item.flags | end));
            PutWord(out, static_cast<WORD>(item.id));
            PutText(out, item.text);
        }
    }
}

}  // namespace

std::vector<BYTE> EncodeMenuTemplate(const MenuTemplate& menu) {
    std::vector<BYTE> out;
    PutWord(out, 0);  // version
    PutWord(out, 0);  // no extra header bytes
    PutItems(out, menu.items);
    return out;
}

const BYTE* FirstBinaryMenuItem(const void* menuTemplate) {
    const auto* at = static_cast<const BYTE*>(menuTemplate);
    if (!at || GetWord(at) != 0)
        return nullptr;
    return at + 4 + GetWord(at + 2);
}

const BYTE* ReadBinaryMenuItem(const BYTE* at, BinaryMenuItem& item) {
    item.option = GetWord(at);
    at += 2;
    item.id = 0;
    if (!item.IsPopup()) {
        item.id = GetWord(at);
        at += 2;
    }
    const BYTE* text = at;
    while (GetWord(at) != 0)
        at += 2;
    item.text = Utf16LeToUtf8(
        std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(at - text)));
    return at + 2;
}

}  // namespace kq
