// A device server's setup menu is outside data: whatever it sends, the client returns, keeps its
// lines and the dialogue bounded, and leaves the connection closed.
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>

#include "ethernet/SetupMenuClient.h"
#include "tests/ethernet/ScriptedTransport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // 0xFF splits the input into the chunks the connection delivers one by one.
    std::deque<std::string> chunks(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            chunks.emplace_back();
        } else {
            chunks.back() += static_cast<char>(data[i]);
        }
    }
    ScriptedTransport transport(std::move(chunks));
    {
        const SetupDeadline deadline(1000);
        SetupMenuClient client(transport, deadline);
        if (client.Enter()) {
            if (client.Banner().size() > SetupLineReader::kMaxLine) {
                std::abort();
            }
            for (const auto& [key, value] : client.Settings()) {
                if (key.size() > SetupLineReader::kMaxLine ||
                    value.size() > SetupLineReader::kMaxLine) {
                    std::abort();
                }
            }
            if (client.ChangeSerial({{SetupMenuClient::kBaud, "230400"}})) {
                client.Commit(false);
            }
        }
    }
    if (!transport.Closed()) {
        std::abort();
    }
    return 0;
}
