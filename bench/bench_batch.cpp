// Time per file of a batch's output into one folder: 1 000 and 10 000 files
// written as the batch writes them (16 writers, a temporary file each, renamed
// over the name). The time per file should not grow with the number of files
// the folder holds.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "storage/fileloader.h"

namespace {

// Seconds to write count files into an empty folder with 16 writers, as the
// batch does.
double WriteMany(const std::filesystem::path& folder, size_t count) {
    std::filesystem::create_directories(folder);
    const std::string bytes(3000, 'x');
    std::atomic<size_t> next{0};
    const auto start = std::chrono::steady_clock::now();
    {
        std::vector<std::jthread> writers;
        for (int t = 0; t < 16; ++t) {
            writers.emplace_back([&] {
                for (size_t i = next++; i < count; i = next++) {
                    const std::string name = "NO_NDFL3_" + std::to_string(i) + ".xml";
                    zorv::WriteFileAtomically((folder / name).string(), bytes.data(), bytes.size());
                }
            });
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    char pattern[] = "/tmp/zorv-bench-XXXXXX";
    const std::filesystem::path root = ::mkdtemp(pattern);
    for (size_t count : {1000u, 10000u}) {
        const double seconds = WriteMany(root / std::to_string(count), count);
        std::printf("%6zu files: %.3f s, %.3f ms per file\n", count, seconds,
                    seconds * 1000 / count);
    }
    std::filesystem::remove_all(root);
    return 0;
}
