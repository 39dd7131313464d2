// The sensor pages' parsers of typed and pasted texts and the adjustment's arithmetic. The input
// is split at line ends into: a baud cell text, four scale texts, two digits texts, an
// uncertainty text, a port display text, a serial text, a translation; the rest are readings.
// Nothing may crash, every result stays in its range, and every adjustment that succeeds can be
// written by the block encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/PortText.h"
#include "pages/sensor/CalibrationMath.h"
#include "pages/sensor/PortRowTexts.h"
#include "protocol/BlockImage.h"
#include "protocol/BlockLayouts.h"
#include "sensor/PortDisplayName.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

int32_t Reading(const std::string& bytes, size_t index) {
    int32_t value = calib::kElectricalZero;
    if (bytes.size() >= (index + 1) * 4)
        std::memcpy(&value, bytes.data() + index * 4, 4);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<CString> fields;
    size_t start = 0;
    while (fields.size() < 11) {
        const size_t end = input.find('\n', start);
        const std::string field = input.substr(start, end == std::string::npos ? end : end - start);
        fields.emplace_back(CString(field.c_str()));
        if (end == std::string::npos) {
            start = input.size();
            break;
        }
        start = end + 1;
    }
    fields.resize(11);
    const std::string readings = start < input.size() ? input.substr(start) : std::string();

    const int code = BaudrateCodeFromText(fields[0]);
    Check(code == -1 || code == 9 || code == 16);
    const int index = BaudrateChoiceIndex(static_cast<int>(fields[0].GetLength()) * 1000);
    Check(index >= -1 && index <= 1);

    double fullScale[2] = {};
    double scale[2] = {};
    uint32_t digits[2] = {};
    bool accepted[2] = {};
    for (int ch = 0; ch < 2; ++ch) {
        const bool parsed = calib::ParseDecimalText(fields[1 + ch * 2], fullScale[ch]) &&
                            calib::ParseDecimalText(fields[2 + ch * 2], scale[ch]);
        accepted[ch] = parsed && calib::IsScaleAccepted(fullScale[ch], scale[ch]);
        if (!calib::ParseDigitsText(fields[5 + ch], digits[ch]))
            digits[ch] = 0;
        else
            Check(digits[ch] > 0);
    }
    double uncertainty = 0.0;
    if (calib::ParseDecimalText(fields[7], uncertainty) && calib::IsUncertaintyValid(uncertainty))
        Check(uncertainty > 0.0 && uncertainty < 5.0);

    const CString comNumber = GetComNumberText(fields[8]);
    for (int i = 0; i < comNumber.GetLength(); ++i)
        Check(comNumber[i] >= '0' && comNumber[i] <= '9');
    ParsePortDisplayName(fields[8]);
    const std::string serial(fields[9].GetString());
    if (tarvik::IsSerialText(serial))
        Check(serial.size() <= 6);

    calib::WrongScaleText(fields[10], ',');
    calib::ReplaceHashes(fields[10], "5", "0");
    calib::ReplaceChannelLetter(fields[10], 'B');

    const int zeroWindow = calib::CheckZeroWindow(Reading(readings, 0), Reading(readings, 3));
    Check(zeroWindow >= 0 && zeroWindow <= 3);
    tarvik::CalibrationBlock block;
    block.day = 1;
    block.month = 1;
    block.year = 26;
    bool all = true;
    for (int ch = 0; ch < 2; ++ch) {
        calib::ChannelInput in;
        in.zero = Reading(readings, static_cast<size_t>(ch) * 3);
        in.scale = Reading(readings, static_cast<size_t>(ch) * 3 + 1);
        in.control = Reading(readings, static_cast<size_t>(ch) * 3 + 2);
        in.withoutControl = (size & 1) != 0;
        in.digits = digits[ch];
        in.loadRatio = accepted[ch] ? scale[ch] / fullScale[ch] : 0.0;
        in.range = fullScale[ch];
        const calib::ChannelResult result = calib::ComputeChannel(in, ch);
        if (!result.ok) {
            all = false;
            continue;
        }
        Check(result.gain >= 1 && result.gain <= 65536);
        Check(result.control >= 1 && result.control <= 65536);
        Check(result.digits >= 1 && result.digits != calib::kDigitsNotSet);
        block.channel[ch].offset = result.offset;
        block.channel[ch].gain = result.gain;
        block.channel[ch].control = result.control;
        block.channel[ch].digits = result.digits;
    }
    if (all) {
        tarvik::BlockImage image;
        Check(block.Encode(image));
    }
    return 0;
}
