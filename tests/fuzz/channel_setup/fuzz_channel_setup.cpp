// A channel record filled from any software-configuration block the codec accepts: every field
// stays inside its range, so no reader indexes past a table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pages/common/ChannelRecord.h"
#include "protocol/BlockLayouts.h"

using namespace tarvik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const char letter = static_cast<char>(data[0]);
    BlockImage image;
    if (!BlockImage::FromBytes(std::string_view(reinterpret_cast<const char*>(data + 1),
                                                size - 1 < kBlockSize ? size - 1 : kBlockSize),
                               image))
        return 0;
    // Any content: the block number is made right so that every input reaches the decoder.
    image.bytes[0] = static_cast<uint8_t>(BlockNumberFromIndex(SoftwareConfigBlock::kIndex));
    SoftwareConfigBlock block;
    if (!block.Decode(image))
        return 0;
    for (const SoftwareChannelConfig& channel : block.channel) {
        ChannelRecord record;
        ResetChannelRecord(record, 0);
        BuildUnitList(record, letter, block.angleFlag != 0, channel.scalingPresent == 1,
                      channel.scalingName.c_str(), channel.scalingFactor);
        TakeOverConfigBytes(record, channel.unitIndex, channel.decimals, channel.averagingCode,
                            channel.signInversion, 0);
        const bool unitOk = record.iUnitIndex >= 0 &&
                            (record.iUnitIndex < record.iUnitCount ||
                             (record.iUnitIndex == record.iUnitCount && record.HasScaling()) ||
                             (record.iUnitCount == 0 && record.iUnitIndex == 0));
        if (!unitOk || record.iUnitCount > ChannelRecord::kMaxUnits || record.iDecimals < 0 ||
            record.iDecimals > 7 || record.iAveraging < 0 || record.iAveraging > 9 ||
            (record.iSignInversion != 0 && record.iSignInversion != 1) ||
            ClampViewState(channel.viewState) > 3)
            std::abort();
    }
    return 0;
}
