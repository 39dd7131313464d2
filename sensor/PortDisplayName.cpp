#include "sensor/PortDisplayName.h"

namespace {

constexpr const char* kMakerUsbDescription = "tarvik usb";
constexpr const char* kMakerUsbShort = "Tarvik USB";

}  // namespace

CString MakePortDisplayName(const CString& portText) {
    CString text = portText;
    text.Trim();
    const int blank = text.Find(' ');
    const CString name = blank < 0 ? text : text.Left(blank);
    CString description = blank < 0 ? CString() : text.Mid(blank + 1);
    description.Trim();
    CString lower = description;
    lower.MakeLower();
    if (lower.Find(kMakerUsbDescription) == 0) {
        description = kMakerUsbShort;
    }
    if (description.IsEmpty()) {
        return "[" + name + "]";
    }
    return description + "   [" + name + "]";
}

CString ParsePortDisplayName(const CString& rowText) {
    const int open = rowText.ReverseFind('[');
    if (open >= 0) {
        const int close = rowText.Find(']', open);
        CString name = close < 0 ? rowText.Mid(open + 1) : rowText.Mid(open + 1, close - open - 1);
        return name.Trim();
    }
    CString text = rowText;
    text.Trim();
    const int blank = text.Find(' ');
    return blank < 0 ? text : text.Left(blank);
}
