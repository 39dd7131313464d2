// The printers the print dialogs offer: the queues CUPS accepts jobs for (`lpstat -a`), with
// its default destination (`lpstat -d`) first, and always a last entry that writes a PDF file.
// Without CUPS only the PDF entry is there.
#pragma once

#include <string>
#include <vector>

namespace kq::ui::commdlg {

struct PrinterEntry {
    std::string name;     // CUPS queue; empty for the PDF entry
    std::string display;  // what the dialog lists
    bool pdf = false;
    bool isDefault = false;
};

std::vector<PrinterEntry> AvailablePrinters();

// The queue names in `lpstat -a` output (the first word of each line).
std::vector<std::string> ParseAcceptingQueues(const std::string& output);
// The name in `lpstat -d` output, empty when there is no default.
std::string ParseDefaultDestination(const std::string& output);

}  // namespace kq::ui::commdlg
