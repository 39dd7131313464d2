#include "ethernet/EthernetTexts.h"

#include <string>

#include "platform/base/Utf8.h"

CString EthernetText(int id, int languageOffset) {
    CString text;
    if (!text.LoadString(static_cast<UINT>(id + languageOffset))) {
        text.LoadString(static_cast<UINT>(id + languageOffset - 2000));
    }
    return text;
}

CString PrintableBanner(const std::string& banner) {
    std::string shown;
    for (const kq::CodePoint& cp : kq::DecodeUtf8(banner)) {
        const bool control = cp.value < 0x20 || (cp.value >= 0x7F && cp.value < 0xA0);
        if (control || cp.value == kq::kReplacementCharacter) {
            shown += '.';
        } else {
            shown.append(banner, static_cast<size_t>(cp.offset), static_cast<size_t>(cp.length));
        }
    }
    return CString(std::move(shown));
}
