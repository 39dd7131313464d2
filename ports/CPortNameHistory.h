// The port-name history: every device the port library has seen keeps its "COMn" name for good,
// so that the application's port names, display texts and per-port settings stay valid across
// restarts and re-plugging. A device is known by its identity (see DeviceIdentity in
// PortCatalog.h); declared extra ports are "path:<path>" and "tcp:<host:port>". Each name has its
// own section
// "Ports\COMn" in the settings store with the identity ("Device") and the node the device had
// when last seen ("Path").
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace kq::ports {

class CPortNameHistory {
  public:
    // The COM name of the identity; a new identity gets the first free "COMn" (n >= 1). The
    // device's current node is remembered with it (and forgotten for any other name that had
    // it). Where the settings store cannot be written the name holds for this run only.
    CString AssignComName(const std::string& identity, const std::string& path);
    // Lookups that assign nothing.
    std::optional<CString> FindComName(const std::string& identity) const;
    std::optional<CString> FindComNameByPath(const std::string& path) const;

  private:
    // A name given in this run that the settings store could not keep.
    struct Unkept {
        std::string identity;
        std::string path;
        int number = 0;
    };
    const Unkept* FindUnkept(const std::string& identity) const;
    // The names not kept belong to the store that could not keep them.
    void ForgetUnkeptOfOtherStore() const;

    mutable std::mutex lock_;
    mutable std::vector<Unkept> unkept_;
    mutable std::string unkeptStore_;
};

// The number of a "COMn" name (case-insensitive, a "\\.\" prefix allowed), or 0 when the text
// is no such name.
int ComNumber(const CString& name);

}  // namespace kq::ports
