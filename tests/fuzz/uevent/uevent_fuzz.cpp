// Kernel device-event datagrams: whatever arrives, parsing must neither crash nor accept a
// device node outside /dev, and an accepted event must survive formatting and parsing again.
#include <cstdint>
#include <cstdlib>

#include "platform/io/Uevent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto event = kq::ParseUevent(data, size);
    if (!event) {
        return 0;
    }
    const std::string node = event->DeviceNode();
    if (!node.empty() && (node.rfind("/dev/", 0) != 0 || node.find("/../") != std::string::npos)) {
        std::abort();
    }
    const std::string again = kq::FormatUevent(*event);
    if (again.size() <= kq::kMaxUeventSize) {
        const auto reparsed = kq::ParseUevent(again.data(), again.size());
        if (!reparsed || reparsed->action != event->action || reparsed->devpath != event->devpath ||
            reparsed->subsystem != event->subsystem || reparsed->devname != event->devname ||
            reparsed->seqnum != event->seqnum) {
            std::abort();
        }
        for (const auto& [key, value] : event->fields) {
            const auto it = reparsed->fields.find(key);
            if (it == reparsed->fields.end() || (it->second != value && key != "SEQNUM")) {
                std::abort();
            }
        }
    }
    return 0;
}
