#include "platform/gfx/print/PrintJob.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/gfx/print/LpCommand.h"

namespace kq::gfx {

namespace {

// A fresh, empty file in the temporary folder that the job's PDF replaces.
std::string CreateSpoolFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kq7b-print-XXXXXX.pdf";
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) {
        return {};
    }
    ::close(fd);
    return pattern;
}

}  // namespace

PrintJob::~PrintJob() {
    Abort();
}

bool PrintJob::Fail(const std::string& text) {
    error_ = text;
    Abort();
    return false;
}

void PrintJob::RemoveSpoolFile() {
    if (!spoolFile_.empty()) {
        ::unlink(spoolFile_.c_str());
        spoolFile_.clear();
    }
}

bool PrintJob::Begin(const std::string& title, const PrintTarget& target) {
    if (active_) {
        error_ = "a print job is already running";
        return false;
    }
    error_.clear();
    title_ = title;
    printer_ = target.printer;
    copies_ = target.copies >= 1 && target.copies <= kMaxPrintCopies ? target.copies : 1;
    collate_ = target.collate;
    lpPath_ = target.printer.empty() ? std::string() : FindProgramOnPath("lp");
    std::string output = target.file;
    if (!lpPath_.empty()) {
        spoolFile_ = CreateSpoolFile();
        if (spoolFile_.empty()) {
            return Fail("cannot create a spool file for the print job");
        }
        output = spoolFile_;
    } else if (output.empty()) {
        return Fail(target.printer.empty()
                        ? "no printer and no output file given"
                        : "printing needs CUPS (lp), and no output file was given");
    }
    if (!pdf_.Begin(output, title)) {
        return Fail(pdf_.Error());
    }
    active_ = true;
    return true;
}

bool PrintJob::AddPage(const Image& page, double dpiX, double dpiY) {
    if (!active_) {
        error_ = "no print job is running";
        return false;
    }
    return pdf_.AddPage(page, dpiX, dpiY) || Fail(pdf_.Error());
}

bool PrintJob::End() {
    if (!active_) {
        error_ = "no print job is running";
        return false;
    }
    if (pdf_.PageCount() == 0) {
        Abort();
        return true;
    }
    if (!pdf_.End()) {
        return Fail(pdf_.Error());
    }
    active_ = false;
    if (!lpPath_.empty()) {
        std::string error;
        const bool sent =
            SubmitToLp(lpPath_, printer_, title_, copies_, collate_, spoolFile_, error);
        RemoveSpoolFile();
        if (!sent) {
            error_ = error;
            return false;
        }
    }
    return true;
}

void PrintJob::Abort() {
    pdf_.Abort();
    RemoveSpoolFile();
    active_ = false;
}

}  // namespace kq::gfx
