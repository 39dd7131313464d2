#include "tools/sensorsim/SimOptions.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "protocol/BlockLayouts.h"

using namespace tarvik;

namespace sensorsim {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const size_t next = text.find(separator);
        parts.push_back(text.substr(0, next));
        if (next == std::string_view::npos) {
            break;
        }
        text.remove_prefix(next + 1);
    }
    return parts;
}

// Decimal, or hexadecimal with 0x.
bool ParseInteger(std::string_view text, int64_t low, int64_t high, int64_t& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    int64_t v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (ec != std::errc() || ptr != text.data() + text.size() || v < low || v > high) {
        return false;
    }
    value = v;
    return true;
}

template <typename T>
bool SetInteger(std::string_view text, int64_t low, int64_t high, T& field) {
    int64_t v = 0;
    if (!ParseInteger(text, low, high, v)) {
        return false;
    }
    field = static_cast<T>(v);
    return true;
}

bool SetSensorKey(std::string_view key, std::string_view value, SimSensorConfig& c) {
    if (key.size() > 2 && (key.ends_with("-a") || key.ends_with("-b"))) {
        SimChannelConfig& ch = c.channel[key.back() == 'a' ? 0 : 1];
        const std::string_view name = key.substr(0, key.size() - 2);
        if (name == "unit") {
            return value.size() == 1 && (ch.unitLetter = value[0], true);
        }
        if (name == "range") {
            return SetInteger(value, 0, 0xFFFF, ch.rangeWord);
        }
        if (name == "accuracy") {
            return SetInteger(value, 0, 255, ch.accuracyClass);
        }
        if (name == "zero") {
            return SetInteger(value, -32768, 32767, ch.zeroOffsetCounts);
        }
        if (name == "signal") {
            return SignalShape::Parse(value, ch.signal);
        }
        if (name == "text") {
            c.serialText[key.back() == 'a' ? 0 : 1] = std::string(value);
            return IsSerialText(value);
        }
        return false;
    }
    if (key == "stator") {
        return SetInteger(value, 0, 255, c.statorId);
    }
    if (key == "revision") {
        return SetInteger(value, 0, 255, c.statorRevision);
    }
    if (key == "device") {
        return SetInteger(value, 0, 255, c.deviceKind);
    }
    if (key == "di") {
        return SetInteger(value, 0, 255, c.digitalInputKind);
    }
    if (key == "serial") {
        return SetInteger(value, 0, 0xFFFFFFFFLL, c.serialNumber);
    }
    if (key == "stator-serial") {
        return SetInteger(value, 0, 0xFFFFFFFFLL, c.statorSerialNumber);
    }
    if (key == "type") {
        return SetInteger(value, 0, 0xFFFFFFFFLL, c.typeNumber);
    }
    if (key == "index") {
        return SetInteger(value, 0, 255, c.sensorIndex) &&
               (c.sensorIndex <= kMaxSensorIndex || c.sensorIndex == kNoSensorIndex);
    }
    if (key == "letter") {
        return value.size() == 1 && (c.sensorTypeLetter = value[0], true);
    }
    if (key == "address") {
        return SetInteger(value, kMinBusAddress, kMaxBusAddress, c.busAddress);
    }
    if (key == "baud") {
        if (value == "115200" || value == "230400") {
            c.baudCode = value == "230400" ? kBaudCode230400 : kBaudCode115200;
            return true;
        }
        return false;
    }
    if (key == "lowpass") {
        return SetInteger(value, 0, kMaxLowPassCode, c.lowPassCode);
    }
    if (key == "firmware") {
        return SetInteger(value, 0, 0xFFFF, c.firmwareVersion);
    }
    if (key == "channels") {
        return SetInteger(value, 1, 2, c.channelCount);
    }
    if (key == "encoder-mask") {
        return SetInteger(value, 0, 3, c.encoderMask);
    }
    if (key == "pulses") {
        return SetInteger(value, 0, 0xFFFFFFFFLL, c.pulsesPerRevolution);
    }
    if (key == "calib") {
        if (value == "none" || value == "factory" || value == "user") {
            c.calibration = value == "none"      ? SimCalibration::None
                            : value == "factory" ? SimCalibration::Factory
                                                 : SimCalibration::User;
            return true;
        }
        return false;
    }
    return false;
}

bool ParseSensorKeys(std::string_view text, SimSensorConfig& config, std::string& error) {
    for (std::string_view item : Split(text, ',')) {
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos ||
            !SetSensorKey(item.substr(0, equals), item.substr(equals + 1), config)) {
            error = "bad sensor setting: " + std::string(item);
            return false;
        }
    }
    return true;
}

bool ParseFaults(std::string_view text, SimFaults& faults, std::string& error) {
    for (std::string_view item : Split(text, ',')) {
        const size_t equals = item.find('=');
        const std::string_view key = item.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
        bool ok = false;
        if (key == "silent" && value.empty()) {
            faults.silent = ok = true;
        } else if (key == "garbage") {
            ok = SetInteger(value, 1, 1000, faults.garbageBytes);
        } else if (key == "corrupt") {
            ok = SetInteger(value, 1, 1000000, faults.corruptEvery);
        } else if (key == "drop") {
            ok = SetInteger(value, 1, 1000000, faults.dropEvery);
        } else if (key == "delay") {
            ok = SetInteger(value, 0, 600000, faults.delayMs);
        } else if (key == "stream") {
            ok = SetInteger(value, 0, kMaxRateIndex, faults.streamUnaskedRate);
        } else if (key == "vanish") {
            ok = SetInteger(value, 0, 86400000, faults.vanishAfterMs);
        }
        if (!ok) {
            error = "bad fault: " + std::string(item);
            return false;
        }
    }
    return true;
}

}  // namespace

const char* SimulatorUsage() {
    return "usage: kq7b-sensorsim [options]\n"
           "Plays torque sensors on pseudo-terminals (their paths are printed) or TCP ports.\n"
           "  --sensor [KEY=VALUE,...]      a sensor on a port of its own\n"
           "  --multiport N[,KEY=VALUE,...] a multi-port device: N ports, one serial number,\n"
           "                                sensor indexes 0..N-1\n"
           "  --tcp PORT                    the last device listens on 127.0.0.1:PORT (0: any)\n"
           "  --fault F[,F...]              faults of the last device: silent, garbage=N,\n"
           "                                corrupt=N, drop=N (every N-th frame), delay=MS,\n"
           "                                stream=RATE (streams unasked), vanish=MS\n"
           "  --state FILE                  keep the memory blocks in FILE\n"
           "  --links DIR                   name each pseudo-terminal port by a link DIR/ttyKQ<N>\n"
           "                                that is gone while the port is vanished\n"
           "  --control                     take commands on the standard input, one a line:\n"
           "                                signal PORT a|b SHAPE, vanish PORT, return PORT,\n"
           "                                stall PORT MS (the line dead), noise PORT MS\n"
           "  --log FILE                    log to FILE ('-' standard error, the default)\n"
           "  --log-values                  also log every streamed value set\n"
           "  --any-baud                    accept bytes at any line speed\n"
           "  --seed N                      seed of the noise\n"
           "Sensor keys: stator revision device di serial stator-serial type index letter\n"
           "  address baud(115200|230400) lowpass firmware channels encoder-mask pulses\n"
           "  calib(none|factory|user), per channel with -a or -b: unit range accuracy zero\n"
           "  text signal (const:V | ramp:FROM:TO:S | sine:MEAN:AMPL:PERIOD | step:A:B:AT |\n"
           "  noise:MEAN:AMPL)\n";
}

bool ParseSimulatorOptions(const std::vector<std::string>& args, SimProgramOptions& options,
                           std::string& error) {
    SimulatorSetup& setup = options.setup;
    auto value = [&](size_t& i) -> const std::string* {
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return nullptr;
        }
        return &args[++i];
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string* v = nullptr;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--sensor") {
            SimDeviceSetup device;
            device.sensors.emplace_back();
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0 &&
                !ParseSensorKeys(args[++i], device.sensors[0], error)) {
                return false;
            }
            setup.devices.push_back(device);
        } else if (arg == "--multiport") {
            if (!(v = value(i))) {
                return false;
            }
            const size_t comma = v->find(',');
            int64_t count = 0;
            SimSensorConfig config;
            config.multiportModule = 1;
            if (!ParseInteger(std::string_view(*v).substr(0, comma), 2, 4, count) ||
                (comma != std::string::npos &&
                 !ParseSensorKeys(std::string_view(*v).substr(comma + 1), config, error))) {
                error = error.empty() ? "--multiport takes 2 to 4 ports" : error;
                return false;
            }
            SimDeviceSetup device;
            for (int k = 0; k < count; ++k) {
                config.sensorIndex = static_cast<uint8_t>(k);
                device.sensors.push_back(config);
            }
            setup.devices.push_back(device);
        } else if (arg == "--tcp" || arg == "--fault") {
            if (!(v = value(i))) {
                return false;
            }
            if (setup.devices.empty()) {
                setup.devices.emplace_back().sensors.emplace_back();
            }
            SimDeviceSetup& last = setup.devices.back();
            if (arg == "--tcp" ? !SetInteger(*v, 0, 65535, last.tcpPort)
                               : !ParseFaults(*v, last.faults, error)) {
                error = error.empty() ? "bad TCP port: " + *v : error;
                return false;
            }
        } else if (arg == "--state") {
            if (!(v = value(i))) {
                return false;
            }
            setup.stateFile = *v;
        } else if (arg == "--links") {
            if (!(v = value(i))) {
                return false;
            }
            setup.linkFolder = *v;
        } else if (arg == "--control") {
            options.control = true;
        } else if (arg == "--log") {
            if (!(v = value(i))) {
                return false;
            }
            options.logFile = *v;
        } else if (arg == "--log-values") {
            setup.logValueFrames = true;
        } else if (arg == "--any-baud") {
            setup.checkLineSettings = false;
        } else if (arg == "--seed") {
            if (!(v = value(i)) || !SetInteger(*v, 0, 0xFFFFFFFFLL, setup.seed)) {
                error = error.empty() ? "bad seed" : error;
                return false;
            }
        } else {
            error = "unknown option: " + arg;
            return false;
        }
    }
    if (setup.devices.empty()) {
        setup.devices.emplace_back().sensors.emplace_back();
    }
    // Every configuration must fit its blocks.
    for (const SimDeviceSetup& device : setup.devices) {
        for (const SimSensorConfig& config : device.sensors) {
            BlockImage blocks[kBlockCount];
            if (!BuildInitialBlocks(config, blocks)) {
                error = "a sensor setting does not fit the sensor's blocks";
                return false;
            }
        }
    }
    return true;
}

}  // namespace sensorsim
