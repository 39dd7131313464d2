// The byte stream of one setup-menu connection, as the setup dialogue needs it: writes and reads
// that wait at most a given real time. The dialogue is tested and fuzzed over a scripted stream.
#pragma once

#include <string>
#include <string_view>

class SetupTransport {
  public:
    enum class ReadResult { Data, Timeout, Closed };

    virtual ~SetupTransport() = default;
    // Sends every byte within timeoutMs; false when the connection failed or stalled.
    virtual bool Write(std::string_view bytes, int timeoutMs) = 0;
    // Appends what arrives within timeoutMs (at least one byte for Data).
    virtual ReadResult ReadSome(std::string& out, int timeoutMs) = 0;
    virtual void Close() = 0;
};
