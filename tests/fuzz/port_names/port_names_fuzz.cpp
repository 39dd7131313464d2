// Hostile port sections in the settings file: the port-name history and the port settings read
// whatever the file holds. Nothing crashes, a device always gets a "COMn" name, and it gets the
// same one when it comes back on another node.
//
// An input is the settings file's text after the line of the application's key.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/base/Registry.h"
#include "ports/CPortNameHistory.h"
#include "ports/PortSettings.h"

namespace {

constexpr const char kHeader[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B]\r\n";

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// The run's private folder, removed when the program ends (after the store's last write, which
// is registered later and so runs first).
struct PrivateFolder {
    std::string path;
    ~PrivateFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::string& SettingsFile() {
    static const PrivateFolder folder{[] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kq7b-fuzz-ports-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        Check(made != nullptr);
        return std::string(made);
    }()};
    static const std::string file = folder.path + "/registry.reg";
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = SettingsFile();
    std::error_code ignored;
    std::filesystem::remove(file + ".journal", ignored);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << kHeader;
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kq::SetRegistryFilePath(file);

    using namespace kq::ports;
    for (const std::string& section : ListSettingSections(kPortSectionsKey)) {
        ComNumber(section.c_str());
        ReadSettingString(std::string(kPortSectionsKey) + "\\" + section, "Device");
        ReadSettingString(std::string(kPortSectionsKey) + "\\" + section, "Path");
    }
    CPortNameHistory history;
    const std::string adapter = "usb:0403:6001:F1:if00:port0";
    const CString first = history.AssignComName(adapter, "/dev/ttyUSB0");
    const CString uart = history.AssignComName("path:/dev/ttyS9", "/dev/ttyS9");
    Check(ComNumber(first) > 0 && ComNumber(uart) > 0);
    Check(history.AssignComName(adapter, "/dev/ttyUSB1") == first);
    Check(history.FindComName(adapter) == first);
    Check(history.FindComNameByPath("/dev/ttyUSB1") == first);
    return 0;
}
