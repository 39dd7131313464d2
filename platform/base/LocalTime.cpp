#include "platform/base/LocalTime.h"

#include <errno.h>
#include <sys/stat.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/base/CivilDate.h"
#include "platform/base/Clock.h"

namespace kq {
namespace {

// The system's zone when TZ is not set.
constexpr const char* kZoneFile = "/etc/localtime";
// The zone file is looked at no more often than this.
constexpr auto kZoneFileCheck = std::chrono::seconds(1);

struct ZoneFileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    int64_t modifiedNanos = 0;
    off_t size = 0;
    bool operator==(const ZoneFileStamp&) const = default;
};

ZoneFileStamp StampOfZoneFile() {
    struct stat st {};
    if (::stat(kZoneFile, &st) != 0)
        return {};
    return ZoneFileStamp{st.st_dev, st.st_ino,
                         static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                         st.st_size};
}

// Loading the time zone reads the zone file; the C library's conversions keep what was loaded.
// It is loaded again only when TZ changes or, without TZ, when the zone file is replaced.
class ZoneFollower {
  public:
    void Follow() {
        std::lock_guard lock(mutex_);
        const char* tz = std::getenv("TZ");
        bool reload = !loaded_ || (tz != nullptr) != hasVariable_ || (tz && variable_ != tz);
        if (tz == nullptr) {
            const auto now = std::chrono::steady_clock::now();
            if (reload || now - checked_ >= kZoneFileCheck) {
                checked_ = now;
                const ZoneFileStamp stamp = StampOfZoneFile();
                reload = reload || !(stamp == stamp_);
                stamp_ = stamp;
            }
        }
        if (!reload)
            return;
        tzset();
        loaded_ = true;
        hasVariable_ = tz != nullptr;
        variable_ = tz != nullptr ? tz : "";
    }

  private:
    std::mutex mutex_;
    bool loaded_ = false;
    bool hasVariable_ = false;
    std::string variable_;
    ZoneFileStamp stamp_;
    std::chrono::steady_clock::time_point checked_{};
};

ZoneFollower& Zone() {
    static ZoneFollower* zone = new ZoneFollower;  // used until the last thread ends
    return *zone;
}

}  // namespace

bool LocalTmFromSeconds(int64_t seconds, std::tm& out) {
    Zone().Follow();
    const time_t t = static_cast<time_t>(seconds);
    return localtime_r(&t, &out) != nullptr;
}

bool UtcTmFromSeconds(int64_t seconds, std::tm& out) {
    const time_t t = static_cast<time_t>(seconds);
    return gmtime_r(&t, &out) != nullptr;
}

bool SecondsFromLocalTm(std::tm& fields, int64_t& seconds) {
    // mktime loads the zone itself; following first keeps what is remembered of it true.
    Zone().Follow();
    // mktime answers -1 both for failure and for 1969-12-31 23:59:59; errno tells them apart.
    errno = 0;
    const time_t t = mktime(&fields);
    if (t == static_cast<time_t>(-1) && errno != 0)
        return false;
    seconds = static_cast<int64_t>(t);
    return true;
}

int64_t WallSecondsNow() {
    return FloorDiv(CurrentClock().WallNanos(), 1000000000);
}

}  // namespace kq
