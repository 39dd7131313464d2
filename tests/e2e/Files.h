// Reading what the program wrote, with readers of the test's own (Python's csv module for the CSV
// files, the BMP and PDF headers by hand): the program's own parsers are not the judges here.
#pragma once

#include <string>

#include <vector>
#include "platform/ui/UiTypes.h"
#include "protocol/BlockImage.h"

namespace e2e {

std::string ReadFile(const std::string& path);
// A file the program writes in the Windows western code page (measurement files, logs), as UTF-8.
std::string ReadCp1252File(const std::string& path);
// Runs /usr/bin/python3 with the script and arguments; its standard output, and whether it ended
// with status 0.
bool RunPython(const std::string& script, const std::vector<std::string>& arguments,
               std::string* output);

struct BmpFacts {
    bool valid = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};
// The BMP's header as an independent reader sees it (Python's struct).
BmpFacts ReadBmp(const std::string& path);
// The number of pages of a PDF file and the size of the first one in points (Python's re).
struct PdfFacts {
    int pages = 0;
    double width = 0;
    double height = 0;
    std::string title;  // the document's title, UTF-8
};
PdfFacts ReadPdf(const std::string& path);

// The value rows of a saved measurement (those numbered after the header lines), read by
// Python's csv module with the ';' separator: their count, whether they are numbered 0, 1, 2...
// without a gap, channel A's lowest and highest value and largest step, channel B's lowest and
// highest. `valid` is false when the file cannot be read so.
struct CsvFacts {
    bool valid = false;
    int rows = 0;
    bool numbered = false;
    double lowA = 0, highA = 0, stepA = 0, lowB = 0, highB = 0;
};
CsvFacts ReadCsvRows(const std::string& path);

// A memory block of a sensor as the simulator's state file keeps it (serial, sensor index, block
// number, bytes in hex); false when the file has no such block.
bool SensorBlock(const std::string& stateFile, const std::string& serial, int blockIndex,
                 tarvik::BlockImage& image);

// The baud-rate code the sensor keeps in its memory (the simulator's state file), -1 without.
int SensorBaudCode(const std::string& stateFile, const std::string& serial);

// Every text the window's visible descendants show: their texts and their lists' cells, one a
// line.
std::string VisibleTexts(HWND window);

}  // namespace e2e
