// One print job: pages rendered by the printer device context go into a PDF document, which at
// the end goes to a CUPS printer through `lp` when one is named and `lp` exists, or else to the
// file the caller names.
#pragma once

#include <string>

#include "platform/gfx/Image.h"
#include "platform/gfx/print/PdfWriter.h"

namespace kq::gfx {

struct PrintTarget {
    std::string printer;   // CUPS queue name; empty = none
    std::string file;      // PDF output when the job does not go to a printer
    int copies = 1;        // made by the printer; out of 1..kMaxPrintCopies: one
    bool collate = false;  // several copies as whole documents in turn
};

class PrintJob {
  public:
    PrintJob() = default;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    ~PrintJob();  // an unfinished job is abandoned

    bool Begin(const std::string& title, const PrintTarget& target);
    bool AddPage(const Image& page, double dpiX, double dpiY);
    // Finishes the document and delivers it. A job without pages delivers nothing and succeeds.
    bool End();
    // Discards the job: nothing is printed and no file is left behind.
    void Abort();

    bool IsActive() const { return active_; }
    bool GoesToPrinter() const { return !lpPath_.empty(); }
    const std::string& Error() const { return error_; }

  private:
    bool Fail(const std::string& text);
    void RemoveSpoolFile();

    PdfWriter pdf_;
    std::string title_;
    std::string printer_;
    int copies_ = 1;
    bool collate_ = false;
    std::string lpPath_;
    std::string spoolFile_;
    std::string error_;
    bool active_ = false;
};

}  // namespace kq::gfx
