// Hostile settings files and journals: parsing never crashes, and whatever a file parses to is
// written back in a form that reads to the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/RegistryFile.h"
#include "platform/base/RegistryJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kq::RegistryKey root("", nullptr);
    std::string error;
    kq::ParseRegistryFile(bytes, root, &error);
    // Even a file that failed halfway leaves a tree that must survive a round trip.
    const std::string written = kq::FormatRegistryFile(root);
    kq::RegistryKey again("", nullptr);
    if (!kq::ParseRegistryFile(written, again, &error) || kq::FormatRegistryFile(again) != written)
        std::abort();

    kq::RegistryKey replayed("", nullptr);
    for (const kq::RegistryChange& change : kq::ParseJournal(bytes).changes)
        kq::ApplyChange(replayed, change);
    const std::string fromJournal = kq::FormatRegistryFile(replayed);
    kq::RegistryKey journalAgain("", nullptr);
    if (!kq::ParseRegistryFile(fromJournal, journalAgain, &error))
        std::abort();
    return 0;
}
