// Cuts a device server's setup-menu output into lines and prompts. Lines end in CR (CR LF and a
// bare LF are taken too; empty lines are skipped); a prompt is an unfinished line ending in "? ".
// The server's bytes are outside data: a line keeps at most kMaxLine bytes (the rest of it is
// dropped) and one dialogue takes at most kMaxInput bytes; NUL and control bytes pass through.
#pragma once

#include <cstddef>
#include <string>

#include "ethernet/SetupDeadline.h"
#include "ethernet/SetupTransport.h"

struct SetupEvent {
    enum class Kind { Line, Prompt, Timeout, Closed, TooMuchInput };
    Kind kind = Kind::Closed;
    std::string text;  // the line or prompt, without its end
};

class SetupLineReader {
  public:
    static constexpr size_t kMaxLine = 256;
    static constexpr size_t kMaxInput = 16 * 1024;

    explicit SetupLineReader(SetupTransport& transport) : m_transport(transport) {}

    // The next line or prompt, waiting until the deadline.
    SetupEvent Next(const SetupDeadline& deadline);

  private:
    // Takes pending bytes up to the next line end or prompt; true when one is complete.
    bool Cut(SetupEvent& event);

    SetupTransport& m_transport;
    std::string m_pending;    // received, not yet cut
    std::string m_line;       // the line being collected, at most kMaxLine bytes
    size_t m_lineLength = 0;  // bytes of that line, including dropped ones
    size_t m_received = 0;
    bool m_closed = false;
};
