#include "pages/measurement/DocumentationRecord.h"

#include <bit>
#include <cstring>

#include "foundation/Environment.h"

static_assert(std::endian::native == std::endian::little, "the record is stored as it lies");

namespace {

constexpr int kEnglishOffset = 1000;

bool InRange(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

DocumentationRecord DocumentationRecord::Defaults(int languageOffset) {
    DocumentationRecord record;
    record.decimalSeparator = languageOffset == kEnglishOffset ? '.' : ',';
    record.Seal();
    return record;
}

void DocumentationRecord::Seal() {
    CEnvironment::StructChecksum(this, sizeof(*this), &size, &byteSum, &runningSum, 1);
}

std::array<uint8_t, DocumentationRecord::kSize> DocumentationRecord::ToBytes() const {
    std::array<uint8_t, kSize> bytes{};
    std::memcpy(bytes.data(), this, kSize);
    return bytes;
}

bool DocumentationRecord::IsInRange() const {
    return InRange(measuredValueMode, 0, 2) && InRange(resultMode, 0, 2) &&
           InRange(diagramMode, 0, 2) && InRange(storageSelection, -1, 2) && showUnits <= 1 &&
           InRange(columnSeparator, 0, 4) && InRange(lineEnd, 0, 3) &&
           (decimalSeparator == '.' || decimalSeparator == ',') && InRange(exportSize, 0, 4);
}

bool DocumentationRecord::FromBytes(const uint8_t* bytes, size_t length, int languageOffset,
                                    DocumentationRecord& out) {
    if (bytes != nullptr && length == kSize) {
        DocumentationRecord stored;
        std::memcpy(&stored, bytes, kSize);
        if (CEnvironment::StructChecksum(&stored, kSize, &stored.size, &stored.byteSum,
                                         &stored.runningSum, 0) &&
            stored.IsInRange()) {
            out = stored;
            return true;
        }
    }
    out = Defaults(languageOffset);
    return false;
}

CString DocumentationRecord::ColumnSeparatorText() const {
    static const char* const kTexts[] = {"\t", ";", ",", ".", " "};
    return InRange(columnSeparator, 0, 4) ? kTexts[columnSeparator] : ";";
}

CString DocumentationRecord::LineEndText() const {
    static const char* const kTexts[] = {"\r\n", "\n\r", "\r", "\n"};
    return InRange(lineEnd, 0, 3) ? kTexts[lineEnd] : "\r\n";
}

bool DocumentationRecord::SeparatorsClash() const {
    return ColumnSeparatorText() == CString(DecimalSeparatorChar());
}
