// The application's printer defaults: one DEVMODE and one DEVNAMES block, made the first time
// someone asks from the framework's default printer settings, and kept for the program's life so
// that everyone who asks sees (and may change) the same settings.
#include <algorithm>

#include "platform/framework/Print.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/commdlg/PrintChoice.h"

namespace {

namespace commdlg = kq::ui::commdlg;

// The choice the default settings name; without a printer or file, the system's default
// printer. False when there is no printer to choose.
bool DefaultChoice(const kq::gfx::PrinterSettings& settings, commdlg::PrintChoice& choice) {
    if (settings.printer.empty() && settings.file.empty()) {
        const std::vector<commdlg::PrinterEntry> printers = commdlg::AvailablePrinters();
        if (printers.empty())
            return false;
        choice = commdlg::InitialPrintChoice(nullptr, nullptr, printers);
    } else {
        choice.printer.name = settings.printer;
        choice.printer.display = settings.printer;
        choice.printer.pdf = settings.printer.empty();
        choice.file = settings.file;
    }
    choice.copies = settings.copies;
    choice.collate = settings.collate;
    choice.landscape = settings.landscape;
    return true;
}

}  // namespace

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pd) {
    if (pd == nullptr)
        return FALSE;
    if (m_hDevMode == nullptr || m_hDevNames == nullptr) {
        const kq::gfx::PrinterSettings settings = kq::fw::DefaultPrinterSettings();
        commdlg::PrintChoice choice;
        if (!DefaultChoice(settings, choice))
            return FALSE;
        commdlg::StoreDevMode(m_hDevMode, choice);
        commdlg::StoreDevNames(m_hDevNames, choice);
        if (auto* mode = static_cast<DEVMODE*>(::GlobalLock(m_hDevMode))) {
            const short dpi = static_cast<short>(std::clamp(settings.dpi, 1, 0x7FFF));
            mode->dmPrintQuality = dpi;
            mode->dmYResolution = dpi;
            ::GlobalUnlock(m_hDevMode);
        }
    }
    pd->hDevMode = m_hDevMode;
    pd->hDevNames = m_hDevNames;
    return TRUE;
}

void CWinApp::ReleasePrinterDefaults() {
    ::GlobalFree(m_hDevMode);
    ::GlobalFree(m_hDevNames);
    m_hDevMode = nullptr;
    m_hDevNames = nullptr;
}
