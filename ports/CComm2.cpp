#include "ports/CComm2.h"

#include <errno.h>

#include <cstdio>
#include <set>

#include "platform/io/TcpClient.h"
#include "ports/PortErrors.h"

namespace {

// A device the user may not open is the usual first hurdle on Linux: the terminal says once per
// device what to do, since the port list can only show it as not available.
void TellRefusedDevice(const std::string& path, int error) {
    static std::set<std::string> told;
    if ((error != EACCES && error != EPERM) || !told.insert(path).second)
        return;
    std::fprintf(stderr,
                 "kq7b: no permission to open %s; add the user to its group (usually "
                 "'dialout': sudo usermod -aG dialout $USER) and log in again\n",
                 path.c_str());
}

}  // namespace

BOOL CComm2::OpenSerial(const std::string& path, const CDcb& dcb) {
    Close();
    if (!dcb.IsValid()) {
        lastError_ = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    auto serial = std::make_unique<kq::SerialPort>();
    if (!serial->Open(path, static_cast<int>(dcb.BaudRate))) {
        TellRefusedDevice(path, serial->LastError());
        lastError_ = kq::ports::PortErrorFromErrno(serial->LastError());
        return FALSE;
    }
    serial_ = serial.get();
    channel_ = std::move(serial);
    lastError_ = 0;
    return TRUE;
}

BOOL CComm2::OpenTcp(const std::string& endpoint) {
    Close();
    std::string host;
    uint16_t port = 0;
    if (!kq::ParseHostPort(endpoint, host, port)) {
        lastError_ = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    auto client = std::make_unique<kq::TcpClient>();
    if (!client->Connect(host, port, kConnectTimeoutMs)) {
        lastError_ = kq::ports::PortErrorFromErrno(client->LastError());
        return FALSE;
    }
    channel_ = std::move(client);
    lastError_ = 0;
    return TRUE;
}

void CComm2::Close() {
    serial_ = nullptr;
    channel_.reset();
}

BOOL CComm2::SetBaudRate(DWORD baudRate) {
    if (!IsOpen()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (serial_ == nullptr) {
        return TRUE;
    }
    if (!serial_->SetBaudRate(static_cast<int>(baudRate))) {
        lastError_ = kq::ports::PortErrorFromErrno(serial_->LastError());
        return FALSE;
    }
    return TRUE;
}

kq::IoResult CComm2::Track(kq::IoResult result) {
    if (result.status == kq::IoStatus::HungUp) {
        lastError_ = ERROR_DEV_NOT_EXIST;
    } else if (result.status == kq::IoStatus::Failed) {
        lastError_ = kq::ports::PortErrorFromErrno(result.error);
    }
    return result;
}

kq::IoResult CComm2::Read(void* buffer, size_t capacity) {
    if (!IsOpen()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return {kq::IoStatus::Failed, 0, EBADF};
    }
    return Track(channel_->Read(buffer, capacity));
}

kq::IoResult CComm2::Send(const void* data, size_t length) {
    if (!IsOpen()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return {kq::IoStatus::Failed, 0, EBADF};
    }
    return Track(channel_->Send(data, length));
}

kq::IoResult CComm2::FlushOutput() {
    if (!IsOpen()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return {kq::IoStatus::Failed, 0, EBADF};
    }
    return Track(channel_->FlushOutput());
}
