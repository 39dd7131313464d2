// A setup connection that replays the server's bytes in given chunks and then closes (or stays
// silent), recording what the client wrote. Used by the client's tests and its fuzz target.
#pragma once

#include <deque>
#include <string>
#include <utility>

#include "ethernet/SetupTransport.h"

class ScriptedTransport final : public SetupTransport {
  public:
    explicit ScriptedTransport(std::deque<std::string> chunks, bool silentAtEnd = false)
        : m_chunks(std::move(chunks)), m_silentAtEnd(silentAtEnd) {}

    bool Write(std::string_view bytes, int) override {
        if (m_closed) {
            return false;
        }
        m_written += bytes;
        return true;
    }
    ReadResult ReadSome(std::string& out, int) override {
        if (m_closed || (m_chunks.empty() && !m_silentAtEnd)) {
            return ReadResult::Closed;
        }
        if (m_chunks.empty()) {
            return ReadResult::Timeout;
        }
        out += m_chunks.front();
        m_chunks.pop_front();
        return ReadResult::Data;
    }
    void Close() override { m_closed = true; }

    const std::string& Written() const { return m_written; }
    bool Closed() const { return m_closed; }

  private:
    std::deque<std::string> m_chunks;
    bool m_silentAtEnd;
    std::string m_written;
    bool m_closed = false;
};
