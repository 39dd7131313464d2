// Declared ports reached by a path (a pseudo-terminal's link, a device node named in the
// settings) have no device events of the kernel's: their folders are watched instead, so that a
// path that goes away or comes back is told like a USB adapter unplugged or plugged in again.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace kq::ports {

class DeclaredPortWatch {
  public:
    DeclaredPortWatch() = default;
    ~DeclaredPortWatch();
    DeclaredPortWatch(const DeclaredPortWatch&) = delete;
    DeclaredPortWatch& operator=(const DeclaredPortWatch&) = delete;

    // Watches the folders of the declared path ports listed now; false when there are none or
    // the folders cannot be watched.
    bool Open();
    int Fd() const { return fd_; }

    // Reads the folders' news: each declared path that appeared (true) or went (false), by its
    // port's COM name.
    void Dispatch(const std::function<void(bool arrived, const CString& comName)>& tell);

  private:
    struct Watched {
        int folder;  // the watch of its folder
        std::string name;
        CString comName;
    };

    int fd_ = -1;
    std::vector<Watched> ports_;
};

}  // namespace kq::ports
