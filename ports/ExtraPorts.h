// Ports that no enumeration finds: a pseudo-terminal or device path, or a TCP endpoint served
// like a serial line (the data port of a network device server). They are declared in the
// settings store, one section each below "VirtualPorts" (any section name) with the values
// "Path" (a device or pseudo-terminal path) or "Tcp" ("host:port"), and "Description"; and for
// one run by the environment variable KQ7B_EXTRA_PORTS:
//
//     KQ7B_EXTRA_PORTS="path=/dev/pts/5;desc=Tarvik USB sensor interface
//     port,tcp=127.0.0.1:10001;desc=Lantronix CPR Port"
//
// Ports are separated by ',', the fields of a port by ';'. Each port has exactly one of
// "path=" (an absolute path) or "tcp=" (host:port) and may have "desc=" (default: the path or
// endpoint). A TCP port may name its device server's setup port with "setup=" (in the settings
// store the value "SetupPort"), 1-65535, default 9999. A backslash takes the next character
// literally ("\," "\;" "\\"); white space around fields is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kq::ports {

constexpr const char* kExtraPortsVariable = "KQ7B_EXTRA_PORTS";
// The port on which a network device server offers its setup menu unless declared otherwise.
constexpr uint16_t kDefaultSetupPort = 9999;

struct ExtraPort {
    enum class Kind { Path, Tcp };
    Kind kind = Kind::Path;
    std::string target;  // the path, or "host:port"
    std::string description;
    uint16_t setupPort = kDefaultSetupPort;  // of a TCP port's device server

    // "path:<path>" or "tcp:<host:port>", the key of its COM name.
    std::string Identity() const;
};

// The ports of a KQ7B_EXTRA_PORTS text. Malformed ports are left out and described in `errors`
// (one line each); well-formed ones are kept.
std::vector<ExtraPort> ParseExtraPorts(std::string_view text, std::string* errors = nullptr);

// Declared ports from the settings store and the environment, without duplicates (a target
// declared twice keeps its first description; the settings come first).
std::vector<ExtraPort> DeclaredExtraPorts();

}  // namespace kq::ports
