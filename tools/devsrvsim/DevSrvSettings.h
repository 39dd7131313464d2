// The settings a simulated device server keeps: its serial line and its data port.
#pragma once

#include <string>
#include <vector>

namespace devsrvsim {

struct DevSrvSettings {
    int baud = 115200;
    int dataBits = 8;
    std::string parity = "none";  // none, even, odd
    int stopBits = 1;
    std::string flow = "none";  // none, hardware, software
    int dataPort = 10001;

    bool operator==(const DevSrvSettings&) const = default;

    // The listing of the setup menu: "baud=115200", ... "dataport=10001", in that order.
    std::vector<std::string> Listing() const;
    // The keys asked one by one by "serial", in their order.
    static const std::vector<std::string>& SerialKeys();
    // The current value of a key as text ("" for an unknown key).
    std::string Value(const std::string& key) const;
    // Sets a serial key from an answer; false (nothing changes) for a value the line cannot take.
    bool Set(const std::string& key, const std::string& value);
};

}  // namespace devsrvsim
