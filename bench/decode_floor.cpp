// The floor for the gallery benchmark: only decodes the pictures, each at the smallest DCT scale
// whose shorter side still reaches the needed size, on several threads in one process, and
// prints the wall time. Nothing is resized or written.
//   wexbo_decode_floor [--jobs N] [--size S] PICTURE...
#include <turbojpeg.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

bool ReadAll(const char* path, std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(file)));
    std::rewind(file);
    const bool ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return ok;
}

bool Decode(tjhandle handle, const char* path, int needed) {
    std::vector<unsigned char> bytes;
    if (!ReadAll(path, bytes)) return false;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle, bytes.data(), bytes.size(), &width, &height, &subsampling, &colorspace) !=
        0)
        return false;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    tjscalingfactor best{1, 1};
    for (int i = 0; i < count; ++i) {  // the smallest factor that still reaches the needed size
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom) continue;
        const int shorter = std::min(TJSCALED(width, f), TJSCALED(height, f));
        if (shorter >= needed && f.num * best.denom < best.num * f.denom) best = f;
    }
    const int w = TJSCALED(width, best), h = TJSCALED(height, best);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h * 3);
    return tjDecompress2(handle, bytes.data(), bytes.size(), pixels.data(), w, 0, h, TJPF_RGB, 0) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    int needed = 450;
    std::vector<const char*> pictures;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--jobs" && i + 1 < argc)
            jobs = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        else if (a == "--size" && i + 1 < argc)
            needed = std::atoi(argv[++i]);
        else
            pictures.push_back(argv[i]);
    }
    if (pictures.empty()) {
        std::fprintf(stderr, "usage: %s [--jobs N] [--size S] PICTURE...\n", argv[0]);
        return 2;
    }
    std::atomic<std::size_t> next{0};
    std::atomic<int> decoded{0};
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < jobs; ++t)
        workers.emplace_back([&] {
            tjhandle handle = tjInitDecompress();
            for (std::size_t i; (i = next++) < pictures.size();)
                decoded += Decode(handle, pictures[i], needed);
            tjDestroy(handle);
        });
    for (std::thread& worker : workers) worker.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d of %zu decoded, %u jobs, %.3f s\n", decoded.load(), pictures.size(), jobs, seconds);
    return decoded.load() == static_cast<int>(pictures.size()) ? 0 : 1;
}
