// Handing a finished document to CUPS through its `lp` command.
#pragma once

#include <string>

namespace kq::gfx {

// Full path of an executable program found on PATH, or empty.
std::string FindProgramOnPath(const std::string& name);

// The most copies lp is asked for.
constexpr int kMaxPrintCopies = 9999;

// Runs `lp -d printer -t title [-n copies [-o collate=true]] file` without a shell and waits
// for it (-n only for more than one copy); false with lp's own message when it cannot be
// started or reports failure.
bool SubmitToLp(const std::string& lpPath, const std::string& printer, const std::string& title,
                int copies, bool collate, const std::string& file, std::string& error);

}  // namespace kq::gfx
