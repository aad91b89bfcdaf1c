// Makes the thumbnails of many pictures the way the program does (70 pixels high, framed, into a
// cache folder), on several worker threads, and prints the wall time.
//   wexbo_thumbnail_bench [--jobs N] [--height H] OUTPUT_FOLDER PICTURE...
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "imaging/thumbnail_maker.h"
#include "util/files.h"
#include "util/strings.h"

int main(int argc, char** argv) {
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    int height = 70;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--jobs" && i + 1 < argc)
            jobs = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        else if (a == "--height" && i + 1 < argc)
            height = std::atoi(argv[++i]);
        else
            args.push_back(a);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s [--jobs N] [--height H] OUTPUT_FOLDER PICTURE...\n", argv[0]);
        return 2;
    }
    const std::string program = wexbo::AddTrailingBackslash(args[0]);
    wexbo::EnsureFolder(program + "thumbs");
    const std::vector<std::string> pictures(args.begin() + 1, args.end());

    std::atomic<std::size_t> next{0};
    std::atomic<int> made{0};
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < jobs; ++t)
        workers.emplace_back([&] {
            for (std::size_t i; (i = next++) < pictures.size();) {
                const wexbo::LoadCounters counters{static_cast<int>(i),
                                                   static_cast<int>(pictures.size()) - 1};
                made += wexbo::MakeThumbnail(program, pictures[i], height, true, true, counters);
            }
        });
    for (auto& w : workers) w.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d of %zu thumbnails, %u jobs, %.3f s\n", made.load(), pictures.size(), jobs, seconds);
    return made.load() == static_cast<int>(pictures.size()) ? 0 : 1;
}
