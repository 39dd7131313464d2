// One program per settings folder: a second one would overwrite the first one's settings at its
// close. The lock is a flock on "<settings file>.instance", held while the program runs; the
// kernel drops it when the program ends, however it ends.
#pragma once

#include <string>

namespace kq::app {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of the settings file; with wait (a restart taking over from the instance
    // that ends), waits for it. False only when another program holds it; where no lock file
    // can be made, the settings cannot be kept anyway and the program runs.
    bool Take(const std::string& settingsFile, bool wait);
    void Release();

  private:
    int fd_ = -1;
};

}  // namespace kq::app
