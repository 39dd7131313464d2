#include "tools/devsrvsim/DevSrvSettings.h"

#include <charconv>

#include "platform/io/SerialPort.h"

namespace devsrvsim {

namespace {

bool ParseInt(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

const std::vector<std::string>& DevSrvSettings::SerialKeys() {
    static const std::vector<std::string> keys{"baud", "databits", "parity", "stopbits", "flow"};
    return keys;
}

std::vector<std::string> DevSrvSettings::Listing() const {
    std::vector<std::string> lines;
    for (const std::string& key : SerialKeys()) {
        lines.push_back(key + "=" + Value(key));
    }
    lines.push_back("dataport=" + Value("dataport"));
    return lines;
}

std::string DevSrvSettings::Value(const std::string& key) const {
    if (key == "baud") {
        return std::to_string(baud);
    }
    if (key == "databits") {
        return std::to_string(dataBits);
    }
    if (key == "parity") {
        return parity;
    }
    if (key == "stopbits") {
        return std::to_string(stopBits);
    }
    if (key == "flow") {
        return flow;
    }
    if (key == "dataport") {
        return std::to_string(dataPort);
    }
    return {};
}

bool DevSrvSettings::Set(const std::string& key, const std::string& value) {
    int number = 0;
    if (key == "baud") {
        if (!ParseInt(value, number) || kq::BaudRateToSpeed(number) == 0) {
            return false;
        }
        baud = number;
    } else if (key == "databits") {
        if (!ParseInt(value, number) || number < 5 || number > 8) {
            return false;
        }
        dataBits = number;
    } else if (key == "parity") {
        if (value != "none" && value != "even" && value != "odd") {
            return false;
        }
        parity = value;
    } else if (key == "stopbits") {
        if (!ParseInt(value, number) || number < 1 || number > 2) {
            return false;
        }
        stopBits = number;
    } else if (key == "flow") {
        if (value != "none" && value != "hardware" && value != "software") {
            return false;
        }
        flow = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace devsrvsim
