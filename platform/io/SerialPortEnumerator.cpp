#include "platform/io/SerialPortEnumerator.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "platform/io/UniqueFd.h"

namespace kq {

namespace fs = std::filesystem;

namespace {

// First line of a sysfs attribute without trailing white space; empty when unreadable.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) {
        return {};
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' ||
                             line.back() == '\t')) {
        line.pop_back();
    }
    return line;
}

uint16_t ReadHexAttribute(const fs::path& file) {
    const std::string text = ReadAttribute(file);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && value <= 0xFFFF ? static_cast<uint16_t>(value) : 0;
}

fs::path Resolve(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

bool IsAncestorOrSelf(const fs::path& ancestor, const fs::path& path) {
    auto a = ancestor.begin();
    auto p = path.begin();
    for (; a != ancestor.end(); ++a, ++p) {
        if (p == path.end() || *a != *p) {
            return false;
        }
    }
    return true;
}

// A UART slot of the platform that the kernel registered without finding a UART behind it.
bool IsEmptyUartSlot(const fs::path& classDir, const std::string& devicePath,
                     const std::string& name) {
    const std::string type = ReadAttribute(classDir / "type");
    if (!type.empty()) {
        return type == "0";
    }
    if (name.rfind("ttyS", 0) != 0) {
        return false;
    }
    // Kernels without the attribute: ask the driver.
    UniqueFd fd(::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    serial_struct info{};
    return !fd.IsValid() || ioctl(fd.Get(), TIOCGSERIAL, &info) != 0 || info.type == PORT_UNKNOWN;
}

// Fills in the USB strings from the interface and device directories above the port, and the
// driver of the nearest ancestor that has one outside the generic serial-port bus.
void DescribeAncestors(const fs::path& deviceDir, const fs::path& sysRoot, SerialPortInfo& info) {
    const fs::path devicesRoot = sysRoot / "devices";
    bool haveInterface = false;
    for (fs::path dir = deviceDir; IsAncestorOrSelf(devicesRoot, dir) && dir != devicesRoot;
         dir = dir.parent_path()) {
        std::error_code error;
        if (info.driver.empty() && fs::is_symlink(dir / "driver", error)) {
            const fs::path driver = Resolve(dir / "driver");
            if (driver.parent_path().parent_path().filename() != "serial-base") {
                info.driver = driver.filename().string();
            }
        }
        if (!haveInterface && fs::exists(dir / "bInterfaceNumber", error)) {
            haveInterface = true;
            info.interfaceText = ReadAttribute(dir / "interface");
            info.interfaceNumber = ReadAttribute(dir / "bInterfaceNumber");
            info.usbInterface = dir.filename().string();
        }
        if (fs::exists(dir / "idVendor", error)) {
            info.isUsb = true;
            info.vendorId = ReadHexAttribute(dir / "idVendor");
            info.productId = ReadHexAttribute(dir / "idProduct");
            info.manufacturer = ReadAttribute(dir / "manufacturer");
            info.product = ReadAttribute(dir / "product");
            info.serialNumber = ReadAttribute(dir / "serial");
            return;
        }
    }
}

// The udev-made link in /dev/serial/<kind> that points at the device node; empty when none.
std::string FindLink(const fs::path& linkDir, const fs::path& node) {
    std::error_code error;
    const fs::path target = Resolve(node);
    for (fs::directory_iterator it(linkDir, error), end; !error && it != end; it.increment(error)) {
        if (Resolve(it->path()) == target) {
            return it->path().string();
        }
    }
    return {};
}

// Natural order: the same prefix sorts by the number that follows.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9') {
            --digits;
        }
        return digits;
    };
    const size_t da = split(a);
    const size_t db = split(b);
    const int prefix = a.compare(0, da, b, 0, db);
    if (prefix != 0) {
        return prefix < 0;
    }
    const std::string na = a.substr(da);
    const std::string nb = b.substr(db);
    if (na.size() != nb.size()) {
        return na.size() < nb.size();
    }
    return na < nb;
}

}  // namespace

std::string SerialPortInfo::Description() const {
    if (!interfaceText.empty()) {
        return interfaceText;
    }
    if (!product.empty()) {
        return product;
    }
    return driver.empty() ? name : driver;
}

std::optional<SerialPortInfo> DescribeSerialPort(const std::string& name,
                                                 const DeviceRoots& roots) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
        return std::nullopt;
    }
    const fs::path classDir = fs::path(roots.sys) / "class" / "tty" / name;
    std::error_code error;
    if (!fs::exists(classDir / "device", error)) {
        return std::nullopt;  // consoles, pseudo-terminals and other ttys without hardware
    }
    SerialPortInfo info;
    info.name = name;
    info.devicePath = (fs::path(roots.dev) / name).string();
    if (IsEmptyUartSlot(classDir, info.devicePath, name)) {
        return std::nullopt;
    }
    const fs::path deviceDir = Resolve(classDir / "device");
    info.portNumber = ReadAttribute(deviceDir / "port_number");
    DescribeAncestors(deviceDir, Resolve(roots.sys), info);
    info.byIdPath = FindLink(fs::path(roots.dev) / "serial" / "by-id", info.devicePath);
    info.byPathPath = FindLink(fs::path(roots.dev) / "serial" / "by-path", info.devicePath);
    return info;
}

std::vector<SerialPortInfo> EnumerateSerialPorts(bool usbOnly, const DeviceRoots& roots) {
    std::vector<SerialPortInfo> ports;
    std::error_code error;
    const fs::path classRoot = fs::path(roots.sys) / "class" / "tty";
    for (fs::directory_iterator it(classRoot, error), end; !error && it != end;
         it.increment(error)) {
        auto info = DescribeSerialPort(it->path().filename().string(), roots);
        if (info && (!usbOnly || info->isUsb)) {
            ports.push_back(std::move(*info));
        }
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return NaturalLess(a.name, b.name);
    });
    return ports;
}

}  // namespace kq
