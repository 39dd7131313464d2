// A pseudo-terminal pair standing in for a serial device: the program under test opens the
// slave path like any serial line, and whoever owns this object plays the device on the master.
// Closing the master is the device being unplugged.
#pragma once

#include <cstddef>
#include <string>

#include "platform/io/UniqueFd.h"

namespace kq {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair with a raw line (no echo, no translation) and a non-blocking master. A
    // slave descriptor is kept open so that the pair survives the program closing its side.
    bool Open();
    bool IsOpen() const { return master_.IsValid(); }
    int MasterFd() const { return master_.Get(); }
    const std::string& SlavePath() const { return slavePath_; }

    // The rate the program set on the line (from the slave's termios as the master sees it);
    // 0 when closed or unknown.
    int LineBaudRate() const;
    // Writes every byte, waiting in real time while the line is full; false on failure or when
    // timeoutMs passes with bytes left.
    bool WriteAll(const void* data, size_t length, int timeoutMs = 5000);
    bool WriteAll(const std::string& bytes, int timeoutMs = 5000) {
        return WriteAll(bytes.data(), bytes.size(), timeoutMs);
    }
    // Appends whatever is readable now to `out`; the number of bytes read.
    size_t ReadAvailable(std::string& out);
    // Reads until `out` holds at least `length` bytes or timeoutMs of real time pass without
    // progress.
    bool ReadExactly(std::string& out, size_t length, int timeoutMs = 5000);

    // The device goes away: the slave side sees a hang-up (the kept slave descriptor goes too).
    void CloseMaster();
    // Gives up the kept slave descriptor (the master then sees a hang-up when the program closes
    // its side).
    void ReleaseSlave() { slave_.Reset(); }

  private:
    UniqueFd master_;
    UniqueFd slave_;
    std::string slavePath_;
};

}  // namespace kq
