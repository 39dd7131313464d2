// The texts that CTarvik_Send makes of the sensor's codes.
#include <cmath>

#include "protocol/VersionWord.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/SensorRecord.h"

using namespace tarvik;

namespace {

struct TypeName {
    const char* german;
    const char* english;
};

TypeName StatorTypeName(int statorId, int deviceKind, int digitalInputKind) {
    switch (statorId) {
        case kStatorHbtBox:
            return {"HBT-Box", "HBT-Box"};
        case kStatorNxOrPkr:
            if (deviceKind == kDevicePkrUsb) {
                return digitalInputKind != 0 ? TypeName{"PKR-USB DI", "PKR-USB DI"}
                                             : TypeName{"PKR-USB", "PKR-USB"};
            }
            // The interface name is adapted to NX-RS485 or NX-ETH by the port it sits behind.
            return {"NX-USB", "NX-USB"};
        case kStatorNxZid3:
            return {"NX-ZID3", "NX-ZID3"};
        case kStatorPkrUsb1K:
            return {"PKR-USB 1K", "PKR-USB 1K"};
        case kStatorQuadratureEncoder:
            return {"Quadraturencoder", "Quadrature encoder"};
        default:
            return {"unbekannt", "unknown"};
    }
}

struct AccuracyClass {
    int code;
    const char* text;
    double value;
};

constexpr AccuracyClass kAccuracyClasses[] = {
    {40, "3.0", 3.0},  {60, "2.0", 2.0},    {80, "1.0", 1.0},  {100, "0.5", 0.5},
    {120, "0.3", 0.3}, {140, "0.25", 0.25}, {160, "0.2", 0.2}, {180, "0.15", 0.15},
    {200, "0.1", 0.1}, {220, "0.05", 0.05}};

}  // namespace

CString CTarvik_Send::TarSend_GetStatorTypeName(int statorId, int /*statorRevision*/,
                                                int deviceKind, int digitalInputKind,
                                                int languageOffset) {
    const TypeName name = StatorTypeName(statorId, deviceKind, digitalInputKind);
    const bool german = languageOffset == 0 || languageOffset == 2000 || languageOffset == 3000;
    return CString(german ? name.german : name.english);
}

CString CTarvik_Send::TarSend_GetAccuracyClass(int code, int* index, double* value) {
    for (int i = 0; i < static_cast<int>(std::size(kAccuracyClasses)); ++i) {
        if (kAccuracyClasses[i].code == code) {
            if (index) {
                *index = i;
            }
            if (value) {
                *value = kAccuracyClasses[i].value;
            }
            return CString(kAccuracyClasses[i].text);
        }
    }
    if (index) {
        *index = -1;
    }
    if (value) {
        *value = 3.0;
    }
    return CString("(def) 3.0");
}

CString CTarvik_Send::TarSend_GetVersionText(DWORD word) {
    return CString(VersionWordText(word));
}

int CTarvik_Send::TarSend_GetUnitCode(char letter) {
    switch (letter) {
        case 'd':
            return 0;
        case 'A':
            return 1;
        case 'S':
            return 2;
        case 'D':
            return 3;
        case 'K':
            return 4;
        case 'W':
            return 5;
        case 'X':
            return 6;
        case 'T':
            return 7;
        case 'Y':
            return 8;
        case 'P':
            return 100;
        default:
            return -1;
    }
}

CString CTarvik_Send::TarSend_GetRangeText(const SensorRecord& record, int channel) {
    if (channel < 0 || channel > 1) {
        return CString();
    }
    return TarSend_GetVersionText(record.wRange[channel]);
}

double CTarvik_Send::TarSend_GetRangeValue(const SensorRecord& record, int channel) {
    if (channel < 0 || channel > 1) {
        return 0.0;
    }
    return VersionWordValue(record.wRange[channel]);
}

double CTarvik_Send::TarSend_GetValuePerCount(const SensorRecord& record, int channel) {
    return TarSend_GetRangeValue(record, channel) / 1e6;
}
