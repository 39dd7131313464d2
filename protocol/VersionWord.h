// The 16-bit "version word" that the sensor uses for its range values and firmware version:
// four hex digits 0xPDDD, where P is the number of integer digits and DDD three decimal digits.
// P up to 3 places the decimal point after P digits (0x1250 is 2.5); a larger P appends P-3
// zeros (0x5500 is 50000).
#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

// The number as text without leading zeros or trailing fractional zeros; "" for words of 65535
// and above and for words whose digits are not decimal.
std::string VersionWordText(uint32_t word);

// The same number; 0.0 where the text is empty.
double VersionWordValue(uint32_t word);

}  // namespace tarvik
