#include "pages/sensor/PortRowTexts.h"

#include <algorithm>

#include "protocol/Protocol.h"

namespace {

constexpr int kColumnWeights[kPortListColumns] = {36, 5, 10, 4, 12, 12, 17, 30};
constexpr int kWeightSum = 126;
constexpr int kListFrameWidth = 98;
constexpr int kLastColumnMargin = 2;
constexpr int kButtonGap = 10;

}  // namespace

CString BaudrateText(int rate) {
    if (rate == tarvik::kBaud115200)
        return "115,2k";
    if (rate == tarvik::kBaud230400)
        return "230,4k";
    return "unknown(error)";
}

int BaudrateCodeFromText(const CString& cellText) {
    CString text = cellText;
    text.Replace('.', ',');
    if (text == "115,2k")
        return tarvik::kBaudCode115200;
    if (text == "230,4k")
        return tarvik::kBaudCode230400;
    return -1;
}

int BaudrateChoiceIndex(int rate) {
    if (rate == tarvik::kBaud115200)
        return 0;
    if (rate == tarvik::kBaud230400)
        return 1;
    return -1;
}

std::array<int, kPortListColumns> PortListColumnWidths(int listWidth) {
    const int usable = std::max(listWidth - kListFrameWidth, 0);
    std::array<int, kPortListColumns> widths{};
    int used = 0;
    for (int column = 0; column < kPortListColumns - 1; ++column) {
        widths[column] = usable * kColumnWeights[column] / kWeightSum;
        used += widths[column];
    }
    widths[kPortListColumns - 1] = std::max(usable - used - kLastColumnMargin, 0);
    return widths;
}

int UpdateButtonWidth(int listWidth, int checkWidth) {
    return std::max(listWidth - checkWidth - kButtonGap, 0);
}
