#include "ports/DeviceChangeBroadcaster.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/io/UeventMonitor.h"
#include "platform/ui/WinUser.h"
#include "ports/CPortNameHistory.h"
#include "ports/DeclaredPortWatch.h"
#include "ports/DeviceChange.h"
#include "ports/PortCatalog.h"

namespace kq::ports {

namespace {

struct Notice {
    UINT event;  // DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, or DBT_DEVNODES_CHANGED alone
    CString comName;
};

// A port broadcast with room for its name.
class PortBroadcast {
  public:
    explicit PortBroadcast(const CString& name)
        : bytes_(offsetof(DEV_BROADCAST_PORT, dbcp_name) + name.GetLength() + 1, '\0') {
        auto* port = reinterpret_cast<DEV_BROADCAST_PORT*>(bytes_.data());
        port->dbcp_size = static_cast<DWORD>(bytes_.size());
        port->dbcp_devicetype = DBT_DEVTYP_PORT;
        memcpy(port->dbcp_name, name.GetString(), static_cast<size_t>(name.GetLength()));
    }
    LPARAM Data() const { return reinterpret_cast<LPARAM>(bytes_.data()); }

  private:
    std::vector<char> bytes_;
};

class State {
  public:
    std::mutex lock;
    std::map<HWND, int> windows;
    std::set<DeviceFollower*> followers;
    std::vector<Notice> queue;
    std::set<int> reportedRemoved;  // COM numbers told as removed and not back since
    UeventMonitor monitor;
    DeclaredPortWatch declared;
    int wakeFd = -1;
    ui::FdSourceId monitorSource = 0;
    ui::FdSourceId declaredSource = 0;
    ui::FdSourceId wakeSource = 0;

    ~State() {
        if (wakeFd >= 0) {
            close(wakeFd);
        }
    }

    void Wake() {
        const uint64_t one = 1;
        ssize_t ignored = write(wakeFd, &one, sizeof one);
        (void)ignored;
    }

    void OnUevents() {
        const bool complete = monitor.Dispatch([this](const Uevent& event) {
            if (!event.IsTtyArrival() && !event.IsTtyRemoval()) {
                return;
            }
            const auto name = ComNameOfDevice(event.devname);
            if (!name) {
                return;
            }
            std::lock_guard guard(lock);
            queue.push_back(
                {event.IsTtyArrival() ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, *name});
        });
        if (!complete) {
            // Events were lost: let everyone look at the ports afresh.
            std::lock_guard guard(lock);
            queue.push_back({DBT_DEVNODES_CHANGED, CString()});
        }
        Deliver();
    }

    void OnDeclaredPorts() {
        declared.Dispatch([this](bool arrived, const CString& comName) {
            std::lock_guard guard(lock);
            queue.push_back({arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, comName});
        });
        Deliver();
    }

    void Deliver() {
        uint64_t count;
        ssize_t ignored = read(wakeFd, &count, sizeof count);
        (void)ignored;
        std::vector<Notice> notices;
        {
            std::lock_guard guard(lock);
            notices.swap(queue);
        }
        for (const Notice& notice : notices) {
            if (ShouldTell(notice)) {
                Tell(notice);
            }
        }
    }

  private:
    bool ShouldTell(const Notice& notice) {
        std::lock_guard guard(lock);
        const int number = ComNumber(notice.comName);
        if (notice.event == DBT_DEVICEREMOVECOMPLETE) {
            return reportedRemoved.insert(number).second;
        }
        if (notice.event == DBT_DEVICEARRIVAL) {
            reportedRemoved.erase(number);
        }
        return true;
    }

    void Tell(const Notice& notice) {
        const PortBroadcast broadcast(notice.comName);
        std::vector<DeviceFollower*> followersNow;
        std::vector<HWND> windowsNow;
        {
            std::lock_guard guard(lock);
            followersNow.assign(followers.begin(), followers.end());
            for (const auto& [hwnd, count] : windows) {
                windowsNow.push_back(hwnd);
            }
        }
        if (notice.event != DBT_DEVNODES_CHANGED) {
            for (DeviceFollower* follower : followersNow) {
                bool stillThere;
                {
                    std::lock_guard guard(lock);
                    stillThere = followers.count(follower) != 0;
                }
                if (stillThere) {
                    follower->OnDeviceChange(notice.event, broadcast.Data());
                }
            }
        }
        for (HWND hwnd : windowsNow) {
            if (!IsWindow(hwnd)) {
                continue;
            }
            if (notice.event != DBT_DEVNODES_CHANGED) {
                SendMessage(hwnd, WM_DEVICECHANGE, notice.event, broadcast.Data());
            }
            if (IsWindow(hwnd)) {
                SendMessage(hwnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
            }
        }
    }
};

std::mutex g_lock;
std::shared_ptr<State> g_state;
int g_users = 0;
int g_eventSocket = -1;

// Starts listening on the thread's loop.
std::shared_ptr<State> Start(DWORD threadId) {
    auto state = std::make_shared<State>();
    state->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    // Without kernel events (some containers) removals reported by the managers still go out.
    const bool listening =
        g_eventSocket >= 0
            ? state->monitor.Adopt(UniqueFd(fcntl(g_eventSocket, F_DUPFD_CLOEXEC, 0)))
            : state->monitor.Open();
    if (listening) {
        state->monitorSource = ui::AddFdSource(threadId, state->monitor.Fd(), POLLIN,
                                               [state](int, short) { state->OnUevents(); });
    }
    if (state->declared.Open()) {
        state->declaredSource = ui::AddFdSource(threadId, state->declared.Fd(), POLLIN,
                                                [state](int, short) { state->OnDeclaredPorts(); });
    }
    if (state->wakeFd >= 0) {
        state->wakeSource = ui::AddFdSource(threadId, state->wakeFd, POLLIN,
                                            [state](int, short) { state->Deliver(); });
    }
    return state;
}

void Use(DWORD threadId) {
    std::lock_guard guard(g_lock);
    if (g_users++ == 0) {
        g_state = Start(threadId);
    }
}

void Release() {
    std::shared_ptr<State> stopping;
    {
        std::lock_guard guard(g_lock);
        if (g_users == 0 || --g_users > 0) {
            return;
        }
        stopping = std::move(g_state);
    }
    if (stopping) {
        ui::RemoveFdSource(stopping->monitorSource);
        ui::RemoveFdSource(stopping->declaredSource);
        ui::RemoveFdSource(stopping->wakeSource);
    }
}

std::shared_ptr<State> Current() {
    std::lock_guard guard(g_lock);
    return g_state;
}

}  // namespace

void DeviceChangeBroadcaster::AddWindow(HWND hwnd) {
    Use(GetWindowThreadProcessId(hwnd, nullptr));
    if (auto state = Current()) {
        std::lock_guard guard(state->lock);
        ++state->windows[hwnd];
    }
}

void DeviceChangeBroadcaster::RemoveWindow(HWND hwnd) {
    auto state = Current();
    if (!state) {
        return;
    }
    {
        std::lock_guard guard(state->lock);
        const auto it = state->windows.find(hwnd);
        if (it == state->windows.end()) {
            return;
        }
        if (--it->second == 0) {
            state->windows.erase(it);
        }
    }
    Release();
}

void DeviceChangeBroadcaster::AddFollower(DeviceFollower* follower, DWORD threadId) {
    Use(threadId);
    if (auto state = Current()) {
        std::lock_guard guard(state->lock);
        state->followers.insert(follower);
    }
}

void DeviceChangeBroadcaster::RemoveFollower(DeviceFollower* follower) {
    auto state = Current();
    if (!state) {
        return;
    }
    {
        std::lock_guard guard(state->lock);
        if (state->followers.erase(follower) == 0) {
            return;
        }
    }
    Release();
}

void DeviceChangeBroadcaster::ReportRemoved(const CString& comName) {
    if (auto state = Current(); state && state->wakeFd >= 0) {
        {
            std::lock_guard guard(state->lock);
            state->queue.push_back({DBT_DEVICEREMOVECOMPLETE, comName});
        }
        state->Wake();
    }
}

void DeviceChangeBroadcaster::ListenTo(int socket) {
    std::lock_guard guard(g_lock);
    g_eventSocket = socket;
}

}  // namespace kq::ports
