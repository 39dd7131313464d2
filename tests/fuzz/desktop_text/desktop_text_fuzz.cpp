// Text from other programs (what they copied, what an input method composed) is taken only when
// the program's 8-bit texts hold it: whatever is taken must come back from code page 1252
// unchanged, never with a '?' in place of a character.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/base/CodePage1252.h"
#include "platform/base/Cp1252Fit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (kq::FitsCp1252(text) && kq::Cp1252ToUtf8(kq::Utf8ToCp1252(text)) != text)
        std::abort();
    return 0;
}
