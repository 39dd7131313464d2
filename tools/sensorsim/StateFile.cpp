#include "tools/sensorsim/StateFile.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "platform/base/StringFormat.h"

using namespace tarvik;

namespace sensorsim {
namespace {

using Key = std::tuple<uint32_t, int, int>;  // serial number, sensor index, block index

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool ParseImage(const std::string& hex, BlockImage& image) {
    if (hex.size() != 2u * kBlockSize) {
        return false;
    }
    for (int i = 0; i < kBlockSize; ++i) {
        const int high = HexDigit(hex[2 * i]);
        const int low = HexDigit(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        image.bytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

}  // namespace

bool LoadStateFile(const std::string& path, const std::vector<SimSensor*>& sensors,
                   std::string& error) {
    std::ifstream in(path);
    if (!in) {
        return true;
    }
    std::map<Key, BlockImage> found;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        uint32_t serial = 0;
        int index = 0;
        int number = 0;
        std::string hex;
        BlockImage image;
        if (!(fields >> serial >> index >> number >> hex) || BlockIndexFromNumber(number) < 0 ||
            !ParseImage(hex, image)) {
            error = kq::Format("%s:%d: not a block line", path, lineNumber);
            return false;
        }
        found[{serial, index, BlockIndexFromNumber(number)}] = image;
    }
    for (SimSensor* sensor : sensors) {
        for (int b = 0; b < kBlockCount; ++b) {
            const auto it =
                found.find({sensor->Config().serialNumber, sensor->Config().sensorIndex, b});
            if (it != found.end()) {
                sensor->SetBlock(b, it->second);
            }
        }
    }
    return true;
}

bool SaveStateFile(const std::string& path, const std::vector<SimSensor*>& sensors) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << "# kq7b-sensorsim memory blocks: serial index block bytes\n";
        for (SimSensor* sensor : sensors) {
            for (int b = 0; b < kBlockCount; ++b) {
                out << sensor->Config().serialNumber << ' '
                    << static_cast<int>(sensor->Config().sensorIndex) << ' '
                    << BlockNumberFromIndex(b) << ' ';
                for (uint8_t byte : sensor->Block(b).bytes) {
                    out << kq::Format("%02X", byte);
                }
                out << '\n';
            }
        }
        if (!out.flush()) {
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace sensorsim
