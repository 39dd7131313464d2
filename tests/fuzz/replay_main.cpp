// Replays every file below the given folders through a fuzz target's entry point. Used where
// libFuzzer is not available so that the seed corpus still runs as an ordinary test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path root(argv[i]);
        if (!std::filesystem::exists(root)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) {
                continue;
            }
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++files;
        }
    }
    // Always run a few fixed inputs too, so an empty corpus still exercises the target.
    const uint8_t empty = 0;
    LLVMFuzzerTestOneInput(&empty, 0);
    std::vector<uint8_t> noise(4096);
    uint32_t state = 12345;
    for (int round = 0; round < 64; ++round) {
        for (auto& b : noise) {
            state = state * 1103515245u + 12345u;
            b = static_cast<uint8_t>(state >> 24);
        }
        LLVMFuzzerTestOneInput(noise.data(), 1 + (state % noise.size()));
    }
    std::printf("replayed %d corpus files\n", files);
    return 0;
}
