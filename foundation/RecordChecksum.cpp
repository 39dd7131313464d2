#include "foundation/RecordChecksum.h"

BOOL RecordChecksum::StructChecksum(void* record, size_t length, DWORD* sizeField, DWORD* sumField,
                                    DWORD* weightedSumField, int mode) {
    if (!record || !sizeField || !sumField || !weightedSumField)
        return FALSE;
    const auto* bytes = static_cast<const unsigned char*>(record);
    auto inField = [bytes](size_t i, const DWORD* field) {
        const auto* f = reinterpret_cast<const unsigned char*>(field);
        return bytes + i >= f && bytes + i < f + sizeof(DWORD);
    };
    DWORD sum = 0;
    DWORD weighted = 0;
    for (size_t i = 0; i < length; ++i) {
        if (inField(i, sizeField) || inField(i, sumField) || inField(i, weightedSumField))
            continue;
        sum += bytes[i];
        weighted += sum;
    }
    if (mode == 1) {
        *sizeField = static_cast<DWORD>(length);
        *sumField = sum;
        *weightedSumField = weighted;
        return TRUE;
    }
    return *sizeField == length && *sumField == sum && *weightedSumField == weighted;
}
