// A choice of printer and settings made in the print dialogs, kept the Windows way in a
// DEVMODE and a DEVNAMES block, and turned into the graphics library's printer DC.
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/PrinterOutput.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/PrinterCatalog.h"

namespace kq::ui::commdlg {

struct PrintChoice {
    PrinterEntry printer;
    std::string file;  // where the PDF entry writes
    int copies = 1;
    bool collate = false;
    bool landscape = false;
};

// The printer and settings the caller's blocks name, when that printer is available; else
// the default printer.
PrintChoice InitialPrintChoice(HGLOBAL devMode, HGLOBAL devNames,
                               const std::vector<PrinterEntry>& printers);
// Fills the caller's blocks, making them when null.
void StoreDevMode(HGLOBAL& devMode, const PrintChoice& choice);
void StoreDevNames(HGLOBAL& devNames, const PrintChoice& choice);

// The three names of a DEVNAMES block; empty when the block is missing or malformed.
struct DevNamesText {
    std::string driver, device, output;
};
DevNamesText ReadDevNames(HGLOBAL devNames);

// The printer settings of a choice; the copies are those the device makes.
kq::gfx::PrinterSettings SettingsFor(const PrintChoice& choice);
// The settings for blocks a print dialog filled: printer or PDF file, orientation and the
// device's copies. False when the blocks name nothing usable.
bool SettingsFromHandles(HGLOBAL devMode, HGLOBAL devNames, kq::gfx::PrinterSettings& settings);
// A printer DC for blocks a print dialog filled; null when they name nothing usable.
HDC CreatePrinterDCFromHandles(HGLOBAL devMode, HGLOBAL devNames);

}  // namespace kq::ui::commdlg
