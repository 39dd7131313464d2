#include "ports/DeclaredPortWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "ports/PortCatalog.h"

namespace kq::ports {

DeclaredPortWatch::~DeclaredPortWatch() {
    if (fd_ >= 0)
        close(fd_);
}

bool DeclaredPortWatch::Open() {
    for (const PortEntry& entry : ListPorts(false)) {
        if (entry.kind != PortEntry::Kind::Path)
            continue;
        const std::filesystem::path path(entry.target);
        if (fd_ < 0)
            fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ < 0)
            return false;
        const int folder =
            inotify_add_watch(fd_, path.parent_path().c_str(),
                              IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR);
        if (folder >= 0)
            ports_.push_back({folder, path.filename().string(), entry.comName});
    }
    return !ports_.empty();
}

void DeclaredPortWatch::Dispatch(
    const std::function<void(bool arrived, const CString& comName)>& tell) {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->len == 0)
                continue;
            const bool arrived = (event->mask & (IN_CREATE | IN_MOVED_TO)) != 0;
            for (const Watched& port : ports_) {
                if (port.folder == event->wd && port.name == event->name)
                    tell(arrived, port.comName);
            }
        }
    }
}

}  // namespace kq::ports
