#include "Files.h"

#include <stdio.h>

#include <fstream>

#include <sstream>
#include "platform/base/CodePage1252.h"
#include "platform/ui/WinUser.h"
#include "protocol/BlockLayouts.h"
#include "tools/harness/AppDriver.h"

namespace e2e {

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReadCp1252File(const std::string& path) {
    return kq::Cp1252ToUtf8(ReadFile(path));
}

bool RunPython(const std::string& script, const std::vector<std::string>& arguments,
               std::string* output) {
    std::string command = "/usr/bin/python3 -c " + Quote(script);
    for (const std::string& argument : arguments)
        command += " " + Quote(argument);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output->append(buffer, n);
    return pclose(pipe) == 0;
}

BmpFacts ReadBmp(const std::string& path) {
    static const char* kScript = R"(
import struct, sys
data = open(sys.argv[1], 'rb').read()
assert data[:2] == b'BM'
size, offset = struct.unpack_from('<I', data, 2)[0], struct.unpack_from('<I', data, 10)[0]
assert size == len(data)
w, h, planes, bpp = struct.unpack_from('<iiHH', data, 18)
row = ((w * bpp + 31) // 32) * 4
assert offset + row * abs(h) <= len(data)
print(w, abs(h), bpp)
)";
    BmpFacts facts;
    std::string output;
    if (!RunPython(kScript, {path}, &output))
        return facts;
    std::istringstream in(output);
    in >> facts.width >> facts.height >> facts.bitsPerPixel;
    facts.valid = !in.fail();
    return facts;
}

CsvFacts ReadCsvRows(const std::string& path) {
    static const char* const kScript = R"(
import csv, sys
lines = open(sys.argv[1], encoding='cp1252').read().split('\n')
rows = [r for r in csv.reader(lines, delimiter=sys.argv[2]) if r and r[0].strip().isdigit()]
def value(cell):
    return float(cell.split()[0].replace(',', '.'))
a = [value(r[1]) for r in rows]
b = [value(r[2]) for r in rows]
numbered = [int(r[0]) for r in rows] == list(range(len(rows)))
step = max((abs(x - y) for x, y in zip(a, a[1:])), default=0)
print(len(rows), int(numbered), min(a, default=0), max(a, default=0), step, min(b, default=0),
      max(b, default=0))
)";
    CsvFacts facts;
    std::string output;
    if (!RunPython(kScript, {path, ";"}, &output))
        return facts;
    std::istringstream numbers(output);
    int numbered = 0;
    numbers >> facts.rows >> numbered >> facts.lowA >> facts.highA >> facts.stepA >> facts.lowB >>
        facts.highB;
    facts.numbered = numbered != 0;
    facts.valid = !numbers.fail();
    return facts;
}

PdfFacts ReadPdf(const std::string& path) {
    static const char* kScript = R"(
import re, sys
data = open(sys.argv[1], 'rb').read()
assert data.startswith(b'%PDF-')
pages = len(re.findall(rb'/Type\s*/Page(?!s)', data))
box = re.search(rb'/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)', data)
title = re.search(rb'/Title\s*<FEFF([0-9A-Fa-f]*)>', data)
title = bytes.fromhex(title.group(1).decode()).decode('utf-16-be') if title else ''
print(pages, float(box.group(3)) - float(box.group(1)), float(box.group(4)) - float(box.group(2)))
print(title)
)";
    PdfFacts facts;
    std::string output;
    if (!RunPython(kScript, {path}, &output))
        return facts;
    std::istringstream in(output);
    in >> facts.pages >> facts.width >> facts.height;
    in >> std::ws;
    std::getline(in, facts.title);
    return facts;
}

// Every text the page shows: its controls' texts and its lists' cells.
std::string VisibleTexts(HWND frame) {
    std::string all;
    std::vector<HWND> stack{frame};
    while (!stack.empty()) {
        HWND window = stack.back();
        stack.pop_back();
        if (window != frame && ::IsWindowVisible(window)) {
            all += WindowText(window) + "\n";
            for (const auto& row : ListRows(window, 4))
                for (const auto& cell : row)
                    all += cell + "\n";
        }
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            stack.push_back(child);
    }
    return all;
}

bool SensorBlock(const std::string& stateFile, const std::string& serial, int blockIndex,
                 tarvik::BlockImage& image) {
    std::istringstream lines(ReadFile(stateFile));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string owner, hex;
        int index = 0, number = 0;
        if (!(fields >> owner >> index >> number >> hex) || owner != serial ||
            number != tarvik::BlockNumberFromIndex(blockIndex))
            continue;
        if (hex.size() != 2u * tarvik::kBlockSize)
            return false;
        for (int i = 0; i < tarvik::kBlockSize; ++i)
            image.bytes[i] = static_cast<uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
        return true;
    }
    return false;
}

int SensorBaudCode(const std::string& stateFile, const std::string& serial) {
    tarvik::BlockImage image;
    tarvik::StatorOperationBlock operation;
    return SensorBlock(stateFile, serial, tarvik::kBlockStatorOperation, image) &&
                   operation.Decode(image)
               ? operation.baudCode
               : -1;
}

}  // namespace e2e
