#include "platform/io/Uevent.h"

#include <charconv>
#include <string_view>

namespace kq {

namespace {

// A node name relative to /dev: no absolute path, no "." or ".." component, no empty one.
bool IsSafeNodeName(std::string_view name) {
    if (name.empty() || name.front() == '/') {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string Uevent::DeviceNode() const {
    return devname.empty() ? std::string() : "/dev/" + devname;
}

std::optional<Uevent> ParseUevent(const void* data, size_t size) {
    if (data == nullptr || size == 0 || size > kMaxUeventSize) {
        return std::nullopt;
    }
    const std::string_view all(static_cast<const char*>(data), size);
    Uevent event;
    size_t pos = 0;
    bool first = true;
    while (pos < all.size()) {
        size_t end = all.find('\0', pos);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        const std::string_view part = all.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            first = false;
            const size_t at = part.find('@');
            if (at == std::string_view::npos || at == 0 || at + 1 >= part.size()) {
                return std::nullopt;  // also udev's datagrams, which begin "libudev"
            }
            event.action = part.substr(0, at);
            event.devpath = part.substr(at + 1);
            continue;
        }
        if (part.empty()) {
            continue;
        }
        const size_t equals = part.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            return std::nullopt;
        }
        event.fields.emplace(std::string(part.substr(0, equals)),
                             std::string(part.substr(equals + 1)));
    }
    if (first) {
        return std::nullopt;
    }
    const auto field = [&](const char* key) -> const std::string* {
        const auto it = event.fields.find(key);
        return it == event.fields.end() ? nullptr : &it->second;
    };
    if (const std::string* action = field("ACTION"); action && *action != event.action) {
        return std::nullopt;
    }
    if (const std::string* devpath = field("DEVPATH"); devpath && *devpath != event.devpath) {
        return std::nullopt;
    }
    if (const std::string* subsystem = field("SUBSYSTEM")) {
        event.subsystem = *subsystem;
    }
    if (const std::string* devname = field("DEVNAME")) {
        if (!IsSafeNodeName(*devname)) {
            return std::nullopt;
        }
        event.devname = *devname;
    }
    if (const std::string* seqnum = field("SEQNUM")) {
        const char* last = seqnum->data() + seqnum->size();
        const auto [end, error] = std::from_chars(seqnum->data(), last, event.seqnum);
        if (error != std::errc() || end != last) {
            return std::nullopt;
        }
    }
    return event;
}

std::string FormatUevent(const Uevent& event) {
    std::string out = event.action + "@" + event.devpath;
    out.push_back('\0');
    const auto add = [&](const std::string& key, const std::string& value) {
        out += key;
        out.push_back('=');
        out += value;
        out.push_back('\0');
    };
    add("ACTION", event.action);
    add("DEVPATH", event.devpath);
    if (!event.subsystem.empty() || event.fields.count("SUBSYSTEM") != 0) {
        add("SUBSYSTEM", event.subsystem);
    }
    if (!event.devname.empty()) {
        add("DEVNAME", event.devname);
    }
    add("SEQNUM", std::to_string(event.seqnum));
    for (const auto& [key, value] : event.fields) {
        if (key != "ACTION" && key != "DEVPATH" && key != "SUBSYSTEM" && key != "DEVNAME" &&
            key != "SEQNUM") {
            add(key, value);
        }
    }
    return out;
}

}  // namespace kq
