#include "platform/ui/commdlg/PrintChoice.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/print/LpCommand.h"

namespace kq::ui::commdlg {

namespace {

constexpr const char* kCupsDriver = "cups";
constexpr const char* kPdfDriver = "pdf";
constexpr const char* kPdfDevice = "PDF";

}  // namespace

DevNamesText ReadDevNames(HGLOBAL devNames) {
    DevNamesText names;
    const size_t size = GlobalSize(devNames);
    const auto* block = static_cast<const char*>(GlobalLock(devNames));
    if (!block || size < sizeof(DEVNAMES))
        return names;
    const auto* header = reinterpret_cast<const DEVNAMES*>(block);
    auto at = [&](WORD offset) -> std::string {
        if (offset >= size)
            return {};
        const char* start = block + offset;
        return std::string(start, strnlen(start, size - offset));
    };
    names.driver = at(header->wDriverOffset);
    names.device = at(header->wDeviceOffset);
    names.output = at(header->wOutputOffset);
    GlobalUnlock(devNames);
    return names;
}

namespace {

bool ReadDevMode(HGLOBAL devMode, DEVMODE& mode) {
    if (GlobalSize(devMode) < sizeof(DEVMODE))
        return false;
    const auto* block = static_cast<const DEVMODE*>(GlobalLock(devMode));
    if (!block)
        return false;
    mode = *block;
    GlobalUnlock(devMode);
    return true;
}

}  // namespace

PrintChoice InitialPrintChoice(HGLOBAL devMode, HGLOBAL devNames,
                               const std::vector<PrinterEntry>& printers) {
    PrintChoice choice;
    auto preferred = std::find_if(printers.begin(), printers.end(),
                                  [](const PrinterEntry& p) { return p.isDefault; });
    if (preferred == printers.end())
        preferred = printers.begin();
    if (preferred != printers.end())
        choice.printer = *preferred;

    const DevNamesText names = ReadDevNames(devNames);
    if (names.driver == kPdfDriver) {
        auto pdf = std::find_if(printers.begin(), printers.end(),
                                [](const PrinterEntry& p) { return p.pdf; });
        if (pdf != printers.end()) {
            choice.printer = *pdf;
            choice.file = names.output;
        }
    } else if (!names.device.empty()) {
        auto named = std::find_if(printers.begin(), printers.end(), [&](const PrinterEntry& p) {
            return !p.pdf && p.name == names.device;
        });
        if (named != printers.end())
            choice.printer = *named;
    }
    DEVMODE mode{};
    if (ReadDevMode(devMode, mode)) {
        if ((mode.dmFields & DM_COPIES) && mode.dmCopies > 0)
            choice.copies = mode.dmCopies;
        if (mode.dmFields & DM_COLLATE)
            choice.collate = mode.dmCollate == DMCOLLATE_TRUE;
        if (mode.dmFields & DM_ORIENTATION)
            choice.landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
    }
    return choice;
}

void StoreDevMode(HGLOBAL& devMode, const PrintChoice& choice) {
    if (GlobalSize(devMode) < sizeof(DEVMODE)) {
        GlobalFree(devMode);
        devMode = GlobalAlloc(GHND, sizeof(DEVMODE));
    }
    auto* mode = static_cast<DEVMODE*>(GlobalLock(devMode));
    if (!mode)
        return;
    *mode = DEVMODE{};
    const std::string device = choice.printer.pdf ? kPdfDevice : choice.printer.name;
    const size_t n = std::min<size_t>(device.size(), CCHDEVICENAME - 1);
    std::memcpy(mode->dmDeviceName, device.data(), n);
    mode->dmSpecVersion = DM_SPECVERSION;
    mode->dmSize = sizeof(DEVMODE);
    mode->dmFields =
        DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLLATE;
    mode->dmOrientation = choice.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode->dmPaperSize = DMPAPER_A4;
    mode->dmPaperWidth = 2100;
    mode->dmPaperLength = 2970;
    mode->dmScale = 100;
    mode->dmCopies = static_cast<short>(std::clamp(choice.copies, 1, 9999));
    mode->dmPrintQuality = static_cast<short>(kq::gfx::kDefaultPrinterDpi);
    mode->dmYResolution = static_cast<short>(kq::gfx::kDefaultPrinterDpi);
    mode->dmCollate = choice.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    GlobalUnlock(devMode);
}

void StoreDevNames(HGLOBAL& devNames, const PrintChoice& choice) {
    const std::string driver = choice.printer.pdf ? kPdfDriver : kCupsDriver;
    const std::string device = choice.printer.pdf ? kPdfDevice : choice.printer.name;
    const std::string output = choice.printer.pdf ? choice.file : choice.printer.name;
    const size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + output.size() + 3;
    GlobalFree(devNames);
    devNames = GlobalAlloc(GHND, size);
    auto* block = static_cast<char*>(GlobalLock(devNames));
    if (!block)
        return;
    auto* header = reinterpret_cast<DEVNAMES*>(block);
    size_t at = sizeof(DEVNAMES);
    auto put = [&](const std::string& text) {
        const WORD offset = static_cast<WORD>(at);
        std::memcpy(block + at, text.c_str(), text.size() + 1);
        at += text.size() + 1;
        return offset;
    };
    header->wDriverOffset = put(driver);
    header->wDeviceOffset = put(device);
    header->wOutputOffset = put(output);
    header->wDefault = choice.printer.isDefault ? DN_DEFAULTPRN : 0;
    GlobalUnlock(devNames);
}

kq::gfx::PrinterSettings SettingsFor(const PrintChoice& choice) {
    kq::gfx::PrinterSettings settings;
    settings.printer = choice.printer.pdf ? std::string() : choice.printer.name;
    settings.file = choice.file;
    settings.dpi = kq::gfx::kDefaultPrinterDpi;
    settings.landscape = choice.landscape;
    settings.copies = std::clamp(choice.copies, 1, kq::gfx::kMaxPrintCopies);
    settings.collate = choice.collate;
    return settings;
}

bool SettingsFromHandles(HGLOBAL devMode, HGLOBAL devNames, kq::gfx::PrinterSettings& settings) {
    const DevNamesText names = ReadDevNames(devNames);
    if (names.driver.empty())
        return false;
    PrintChoice choice;
    choice.printer.pdf = names.driver == kPdfDriver;
    choice.printer.name = choice.printer.pdf ? std::string() : names.device;
    choice.file = choice.printer.pdf ? names.output : std::string();
    DEVMODE mode{};
    if (ReadDevMode(devMode, mode)) {
        if (mode.dmFields & DM_ORIENTATION)
            choice.landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
        if ((mode.dmFields & DM_COPIES) && mode.dmCopies > 0)
            choice.copies = mode.dmCopies;
        if (mode.dmFields & DM_COLLATE)
            choice.collate = mode.dmCollate == DMCOLLATE_TRUE;
    }
    settings = SettingsFor(choice);
    return true;
}

HDC CreatePrinterDCFromHandles(HGLOBAL devMode, HGLOBAL devNames) {
    kq::gfx::PrinterSettings settings;
    if (!SettingsFromHandles(devMode, devNames, settings))
        return nullptr;
    return kq::gfx::CreatePrinterOutputDC(settings);
}

}  // namespace kq::ui::commdlg
