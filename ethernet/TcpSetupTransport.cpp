#include "ethernet/TcpSetupTransport.h"

#include "ethernet/SetupDeadline.h"
#include "platform/ui/EventLoop.h"

bool TcpSetupTransport::Connect(const std::string& host, uint16_t port, int timeoutMs) {
    return m_client.Connect(host, port, timeoutMs, kq::ui::PollServingSentMessages);
}

bool TcpSetupTransport::Write(std::string_view bytes, int timeoutMs) {
    const SetupDeadline deadline(timeoutMs);
    kq::IoResult result = m_client.Send(bytes.data(), bytes.size());
    while (result.status == kq::IoStatus::WouldBlock ||
           (result.status == kq::IoStatus::Done && m_client.PendingOutput() > 0)) {
        if (deadline.Expired()) {
            return false;
        }
        pollfd waiting{m_client.Fd(), POLLOUT, 0};
        kq::PollWith(kq::ui::PollServingSentMessages, &waiting, 1, deadline.LeftMs());
        result = m_client.FlushOutput();
    }
    return result.status == kq::IoStatus::Done;
}

SetupTransport::ReadResult TcpSetupTransport::ReadSome(std::string& out, int timeoutMs) {
    const SetupDeadline deadline(timeoutMs);
    char buffer[1024];
    for (;;) {
        if (!m_client.IsOpen()) {
            return ReadResult::Closed;
        }
        const kq::IoResult result = m_client.Read(buffer, sizeof buffer);
        if (result.status == kq::IoStatus::Done && result.count > 0) {
            out.append(buffer, result.count);
            return ReadResult::Data;
        }
        if (result.status == kq::IoStatus::HungUp || result.status == kq::IoStatus::Failed) {
            return ReadResult::Closed;
        }
        if (deadline.Expired()) {
            return ReadResult::Timeout;
        }
        pollfd waiting{m_client.Fd(), POLLIN, 0};
        kq::PollWith(kq::ui::PollServingSentMessages, &waiting, 1, deadline.LeftMs());
    }
}
