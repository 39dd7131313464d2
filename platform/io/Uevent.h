// Kernel device events ("uevents"): one datagram per event, "action@devpath" followed by
// KEY=VALUE fields, each ended by a NUL byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kq {

struct Uevent {
    std::string action;     // "add", "remove", "change", "bind", ...
    std::string devpath;    // below /sys, e.g. "/devices/.../ttyUSB0/tty/ttyUSB0"
    std::string subsystem;  // "tty", "usb", ...
    std::string devname;    // the node below /dev ("ttyUSB0"); empty when there is none
    uint64_t seqnum = 0;
    std::map<std::string, std::string> fields;  // every KEY=VALUE as sent

    // "/dev/<devname>", or empty when the event names no node.
    std::string DeviceNode() const;
    bool IsTtyArrival() const { return subsystem == "tty" && action == "add" && !devname.empty(); }
    bool IsTtyRemoval() const {
        return subsystem == "tty" && action == "remove" && !devname.empty();
    }
};

// Largest datagram accepted; the kernel's own limit is a few KiB.
constexpr size_t kMaxUeventSize = 8192;

// Parses one datagram; nullopt for anything that is not a well-formed kernel event (udev's
// re-broadcasts with their binary header, a missing action or path, fields without '=',
// ACTION/DEVPATH fields that contradict the header, a DEVNAME that leaves /dev).
std::optional<Uevent> ParseUevent(const void* data, size_t size);

// The datagram the kernel would send for the event (simulations and tests).
std::string FormatUevent(const Uevent& event);

}  // namespace kq
