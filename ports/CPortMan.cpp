#include "ports/CPortMan.h"

#include <atomic>
#include <chrono>

#include "platform/base/LastError.h"
#include "platform/base/SyncLocks.h"
#include "platform/base/Thread.h"
#include "ports/CPortCom.h"
#include "ports/CPortNameHistory.h"
#include "ports/DeviceChange.h"
#include "ports/PortCatalog.h"
#include "ports/PortErrors.h"

// An open port with the loop's watches on its descriptor.
struct CPortMan::Line {
    std::unique_ptr<CPort> port;
    DWORD thread = 0;
    kq::ui::FdSourceId readSource = 0;
    kq::ui::FdSourceId writeSource = 0;
};

namespace {

std::atomic<int> g_streamGatheringMs{0};

}  // namespace

CPortMan::CPortMan() = default;

void CPortMan::SetStreamGathering(int ms) {
    g_streamGatheringMs = ms > 0 ? ms : 0;
}

CPortMan::~CPortMan() {
    *m_pAlive = false;
    kq::ports::DeviceChangeBroadcaster::RemoveFollower(this);
    CSingleLock lock(&m_csPort, TRUE);
    auto line = DetachLocked(PORTMAN_STATE_CLOSED);
    lock.Unlock();
    Dispose(std::move(line));
}

int CPortMan::EnumPorts(CStringArray& ports, BOOL bUsbOnly) {
    ports.RemoveAll();
    for (const kq::ports::PortEntry& entry : kq::ports::ListPorts(bUsbOnly != FALSE)) {
        ports.Add(entry.DisplayText());
    }
    return static_cast<int>(ports.GetSize());
}

DWORD CPortMan::ServingThreadId() const {
    return GetCurrentThreadId();
}

BOOL CPortMan::Fail(DWORD error) {
    m_dwLastError = error;
    SetLastError(error);
    return FALSE;
}

BOOL CPortMan::OpenPort(const CDcb& dcb) {
    CSingleLock lock(&m_csPort, TRUE);
    auto previous = DetachLocked(PORTMAN_STATE_CLOSED);
    // The old line's watches must be gone before a new descriptor may reuse its number.
    lock.Unlock();
    Dispose(std::move(previous));
    lock.Lock();
    return OpenLocked(dcb);
}

BOOL CPortMan::OpenLocked(const CDcb& dcb) {
    m_Dcb.m_strPortName = dcb.m_strPortName;
    m_Dcb.BaudRate = dcb.BaudRate;
    m_Dcb.ByteSize = dcb.ByteSize;
    m_Dcb.Parity = dcb.Parity;
    m_Dcb.StopBits = dcb.StopBits;
    if (!m_Dcb.IsValid()) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const auto entry = kq::ports::FindPort(m_Dcb.m_strPortName);
    if (!entry) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    auto port = std::make_unique<CPortCom>();
    if (!port->Open(*entry, m_Dcb)) {
        return Fail(port->GetLastError());
    }
    auto line = std::make_unique<Line>();
    line->thread = ServingThreadId();
    line->readSource = kq::ui::AddFdSource(line->thread, port->Fd(), POLLIN,
                                           [this, alive = m_pAlive](int, short revents) {
                                               if (*alive) {
                                                   Serve(revents);
                                               }
                                           });
    if (line->readSource == 0) {
        return Fail(ERROR_INVALID_FUNCTION);  // no event loop on the serving thread
    }
    line->port = std::move(port);
    m_pLine = std::move(line);
    m_Dcb.m_strPortName = entry->comName;
    m_strDescription = entry->description;
    m_Dcb.m_dwState = PORTMAN_STATE_OPEN;
    m_dwLastError = 0;
    return TRUE;
}

std::unique_ptr<CPortMan::Line> CPortMan::DetachLocked(DWORD state) {
    m_Dcb.m_dwState = state;
    return std::move(m_pLine);
}

void CPortMan::Dispose(std::unique_ptr<Line> line) {
    if (!line) {
        return;
    }
    kq::ui::RemoveFdSource(line->readSource);
    if (line->writeSource != 0) {
        kq::ui::RemoveFdSource(line->writeSource);
    }
    line->port.reset();
}

BOOL CPortMan::ClosePort(BOOL bRemoved) {
    CSingleLock lock(&m_csPort, TRUE);
    auto line = DetachLocked(bRemoved ? PORTMAN_STATE_REMOVED : PORTMAN_STATE_CLOSED);
    lock.Unlock();
    Dispose(std::move(line));
    return TRUE;
}

BOOL CPortMan::Write(const void* data, DWORD length) {
    CSingleLock lock(&m_csPort, TRUE);
    if (!m_pLine) {
        return Fail(m_Dcb.m_dwState == PORTMAN_STATE_REMOVED ? ERROR_DEV_NOT_EXIST
                                                             : ERROR_INVALID_HANDLE);
    }
    const kq::IoResult result = m_pLine->port->Send(data, length);
    if (!m_bWrittenSinceRead && g_streamGatheringMs > 0) {
        kq::ui::PauseFdSource(m_pLine->readSource, 0);
    }
    m_bWrittenSinceRead = true;
    if (result.status == kq::IoStatus::Done) {
        // The watch removes itself once the queue is empty: removing it here, perhaps on
        // another thread while its callback waits for the port lock, could deadlock.
        if (m_pLine->port->PendingOutput() > 0) {
            WatchOutputLocked(true);
        }
        return TRUE;
    }
    // A line that hung up is also reported by its read watch, which then closes it as removed
    // on the serving thread.
    return Fail(m_pLine->port->GetLastError());
}

void CPortMan::WatchOutputLocked(bool watch) {
    Line& line = *m_pLine;
    if (watch && line.writeSource == 0) {
        line.writeSource = kq::ui::AddFdSource(line.thread, line.port->Fd(), POLLOUT,
                                               [this, alive = m_pAlive](int, short) {
                                                   if (*alive) {
                                                       FlushPending();
                                                   }
                                               });
    } else if (!watch && line.writeSource != 0) {
        // Only from the watch's own callback, where removing it does not wait.
        kq::ui::RemoveFdSource(line.writeSource);
        line.writeSource = 0;
    }
}

void CPortMan::FlushPending() {
    CSingleLock lock(&m_csPort, TRUE);
    if (!m_pLine) {
        return;
    }
    const kq::IoResult result = m_pLine->port->FlushOutput();
    if (result.status == kq::IoStatus::Done) {
        WatchOutputLocked(false);
    } else if (result.status != kq::IoStatus::WouldBlock) {
        lock.Unlock();
        LineLost();
    }
}

BOOL CPortMan::SetBaudRate(DWORD baudRate) {
    CSingleLock lock(&m_csPort, TRUE);
    CDcb wanted = m_Dcb;
    wanted.BaudRate = baudRate;
    if (!wanted.IsValid()) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (m_pLine && !m_pLine->port->SetBaudRate(baudRate)) {
        return Fail(m_pLine->port->GetLastError());
    }
    m_Dcb.BaudRate = baudRate;
    return TRUE;
}

void CPortMan::Serve(short revents) {
    BYTE buffer[kReadChunk];
    const auto alive = m_pAlive;
    // A few chunks per wake-up keep a fast line from starving the rest of the loop.
    for (int round = 0; round < 16; ++round) {
        kq::IoResult result;
        {
            CSingleLock lock(&m_csPort, TRUE);
            if (!m_pLine) {
                return;
            }
            result = m_pLine->port->Read(buffer, sizeof buffer);
        }
        if (result.status == kq::IoStatus::Done && result.count > 0) {
            GatherStream();
            OnReceive(buffer, static_cast<DWORD>(result.count));
            // A short read drained the line: asking again would only fail with "try later".
            if (!*alive || result.count < sizeof buffer) {
                return;
            }
            continue;
        }
        const bool lost = result.status == kq::IoStatus::HungUp ||
                          result.status == kq::IoStatus::Failed ||
                          (round == 0 && (revents & (POLLHUP | POLLERR)) != 0);
        if (lost) {
            LineLost();
        }
        return;
    }
}

void CPortMan::GatherStream() {
    CSingleLock lock(&m_csPort, TRUE);
    const int gathering = g_streamGatheringMs;
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
    const bool soon = now - m_llLastReadNanos < int64_t{gathering} * 1000000;
    m_llLastReadNanos = now;
    if (m_pLine && !m_bWrittenSinceRead && gathering > 0 && soon) {
        kq::ui::PauseFdSource(m_pLine->readSource, gathering);
    }
    m_bWrittenSinceRead = false;
}

void CPortMan::LineLost() {
    CSingleLock lock(&m_csPort, TRUE);
    if (!m_pLine) {
        return;
    }
    auto line = DetachLocked(PORTMAN_STATE_REMOVED);
    m_dwLastError = ERROR_DEV_NOT_EXIST;
    const CString name = m_Dcb.m_strPortName;
    lock.Unlock();
    Dispose(std::move(line));
    kq::ports::DeviceChangeBroadcaster::ReportRemoved(name);
    OnPortEvent(PORTEVENT_REMOVED, PORTMAN_STATE_REMOVED);
}

BOOL CPortMan::OnDeviceChange(UINT nEventType, DWORD_PTR dwData) {
    if (nEventType != DBT_DEVICEARRIVAL && nEventType != DBT_DEVICEREMOVEPENDING &&
        nEventType != DBT_DEVICEREMOVECOMPLETE) {
        return FALSE;
    }
    const char* name = kq::ports::PortNameOfBroadcast(dwData);
    if (name == nullptr) {
        return FALSE;
    }
    CSingleLock lock(&m_csPort, TRUE);
    const int number = kq::ports::ComNumber(name);
    if (number == 0 || number != kq::ports::ComNumber(m_Dcb.m_strPortName) ||
        m_Dcb.m_dwState == PORTMAN_STATE_LENT) {
        return FALSE;
    }
    if (nEventType == DBT_DEVICEARRIVAL) {
        if (m_Dcb.m_dwState != PORTMAN_STATE_REMOVED) {
            return FALSE;
        }
        const CDcb settings = m_Dcb;
        if (!OpenLocked(settings)) {
            m_Dcb.m_dwState = PORTMAN_STATE_REMOVED;
            return FALSE;
        }
        lock.Unlock();
        OnPortEvent(PORTEVENT_REOPENED, PORTMAN_STATE_OPEN);
        return TRUE;
    }
    if (m_Dcb.m_dwState != PORTMAN_STATE_OPEN) {
        return FALSE;
    }
    auto line = DetachLocked(PORTMAN_STATE_REMOVED);
    m_dwLastError = ERROR_DEV_NOT_EXIST;
    lock.Unlock();
    Dispose(std::move(line));
    OnPortEvent(PORTEVENT_REMOVED, PORTMAN_STATE_REMOVED);
    return TRUE;
}

DWORD CPortMan::GetState() const {
    CSingleLock lock(&m_csPort, TRUE);
    return m_Dcb.m_dwState;
}

CString CPortMan::GetStateText() const {
    CSingleLock lock(&m_csPort, TRUE);
    return m_Dcb.GetStateText();
}

CString CPortMan::GetPortName() const {
    CSingleLock lock(&m_csPort, TRUE);
    return m_Dcb.m_strPortName;
}

CString CPortMan::GetPortDescription() const {
    CSingleLock lock(&m_csPort, TRUE);
    return m_strDescription;
}

DWORD CPortMan::GetLastError() const {
    CSingleLock lock(&m_csPort, TRUE);
    return m_dwLastError;
}

UINT CPortMan::GetLastErrorStringId() const {
    return kq::ports::PortErrorStringId(GetLastError());
}
