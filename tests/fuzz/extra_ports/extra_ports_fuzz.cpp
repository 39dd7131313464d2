// The extra-port declaration text comes from the user's environment: every port accepted from
// it must have a well-formed target, and the parser must survive anything.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/io/TcpClient.h"
#include "ports/ExtraPorts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string errors;
    for (const kq::ports::ExtraPort& port : kq::ports::ParseExtraPorts(text, &errors)) {
        if (port.description.empty()) {
            std::abort();
        }
        if (port.kind == kq::ports::ExtraPort::Kind::Path) {
            if (port.target.size() < 2 || port.target.front() != '/') {
                std::abort();
            }
        } else {
            std::string host;
            uint16_t number = 0;
            if (!kq::ParseHostPort(port.target, host, number)) {
                std::abort();
            }
        }
    }
    return 0;
}
