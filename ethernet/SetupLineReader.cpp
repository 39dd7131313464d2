#include "ethernet/SetupLineReader.h"

bool SetupLineReader::Cut(SetupEvent& event) {
    size_t used = 0;
    bool complete = false;
    while (used < m_pending.size() && !complete) {
        const char ch = m_pending[used++];
        if (ch == '\r' || ch == '\n') {
            if (m_lineLength > 0) {
                event = {SetupEvent::Kind::Line, std::move(m_line)};
                complete = true;
            }
            m_line.clear();
            m_lineLength = 0;
            continue;
        }
        if (m_line.size() < kMaxLine) {
            m_line += ch;
        }
        ++m_lineLength;
    }
    m_pending.erase(0, used);
    // A prompt waits for an answer, so nothing follows it until the answer is sent.
    if (!complete && m_pending.empty() && m_lineLength == m_line.size() && m_line.size() >= 2 &&
        m_line.compare(m_line.size() - 2, 2, "? ") == 0) {
        event = {SetupEvent::Kind::Prompt, std::move(m_line)};
        m_line.clear();
        m_lineLength = 0;
        complete = true;
    }
    return complete;
}

SetupEvent SetupLineReader::Next(const SetupDeadline& deadline) {
    SetupEvent event;
    for (;;) {
        if (Cut(event)) {
            return event;
        }
        if (m_closed) {
            return {SetupEvent::Kind::Closed, {}};
        }
        if (deadline.Expired()) {
            return {SetupEvent::Kind::Timeout, {}};
        }
        const size_t before = m_pending.size();
        switch (m_transport.ReadSome(m_pending, deadline.LeftMs())) {
            case SetupTransport::ReadResult::Data:
                break;
            case SetupTransport::ReadResult::Timeout:
                return {SetupEvent::Kind::Timeout, {}};
            case SetupTransport::ReadResult::Closed:
                m_closed = true;
                break;
        }
        m_received += m_pending.size() - before;
        if (m_received > kMaxInput) {
            m_pending.clear();
            return {SetupEvent::Kind::TooMuchInput, {}};
        }
    }
}
