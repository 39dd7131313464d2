// Any text, unit letter and mode through the value formatter: the result is "n.a.", the range
// text, or a number, one blank and the unit; nothing crashes and no output is half written.
#include <cstdint>
#include <cstdlib>

#include "kq_res.h"
#include "pages/common/DisplayHelper.h"
#include "platform/base/Resource.h"

namespace {

bool IsNumberText(const CString& number) {
    if (number.IsEmpty())
        return false;
    for (int i = 0; i < number.GetLength(); ++i) {
        const char c = number.GetAt(i);
        if ((c < '0' || c > '9') && c != '.' && c != ',')
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (kq::InstallResources(kq_res_bundle()), true);
    (void)installed;
    if (size < 2)
        return 0;
    const char letter = static_cast<char>(data[0]);
    const int mode = static_cast<int8_t>(data[1]) % 4;
    const CString text(reinterpret_cast<const char*>(data + 2), static_cast<int>(size - 2));
    CDisplayHelper helper;
    CString number = "untouched";
    int decimals = -7;
    const CString result =
        helper.FormatValue(0, text, letter, mode, &number, nullptr, nullptr, nullptr, &decimals);
    if (mode == 0) {
        if (result != text)  // no records: the text alone
            std::abort();
        return 0;
    }
    if (result == "n.a." || result == "[-200 °C; 860 °C]")
        return 0;
    const int blank = result.Find(' ');
    if (blank <= 0 || blank == result.GetLength() - 1 || !IsNumberText(result.Left(blank)))
        std::abort();
    if (decimals < 0 || decimals > 6 || !IsNumberText(number))
        std::abort();
    return 0;
}
