#pragma once

// What every fuzz target uses: the check that ends a run on a broken property, a reader of
// typed values from the input, and a scratch folder for readers that take a file name. It
// needs no compiler support, so the targets also build as plain replays of their corpora.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

// Every target defines this; libFuzzer or the replay program calls it once per input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

// Aborts with the broken property named, so that a sanitizer or the replay reports the input.
#define Require(holds)                                                                             \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #holds);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Takes typed values from the end of the input and raw bytes from the front, so that the
// bytes a target reads as a file stay one run that mutations can grow and cut.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* bytes, std::size_t size) : Front(bytes), Size(size) {}

    std::size_t Remaining() const { return Size; }

    // A whole number in [min, max]; min when the input is used up.
    template <typename T> T TakeInRange(T min, T max) {
        static_assert(std::is_integral_v<T>);
        const std::uint64_t span =
            static_cast<std::uint64_t>(max) - static_cast<std::uint64_t>(min);
        std::uint64_t value = 0;
        for (std::size_t used = 0; used < sizeof(T) && (span >> used * 8) > 0 && Size > 0; ++used)
            value = value << 8 | Front[--Size];
        if (span != std::numeric_limits<std::uint64_t>::max()) value %= span + 1;
        return static_cast<T>(static_cast<std::uint64_t>(min) + value);
    }
    template <typename T> T Take() {
        return TakeInRange(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    }
    bool TakeBool() { return (Take<std::uint8_t>() & 1) != 0; }

    // A finite real in [min, max].
    double TakeRealInRange(double min, double max) {
        const double share = static_cast<double>(Take<std::uint32_t>()) / 4294967295.0;
        return min + (max - min) * share;
    }
    // Any finite real, of any magnitude.
    double TakeReal() {
        const double value = std::ldexp(TakeRealInRange(0.5, 1.0), TakeInRange(-1073, 1023));
        return TakeBool() ? -value : value;
    }

    std::vector<std::uint8_t> TakeBytes(std::size_t count) {
        count = std::min(count, Size);
        std::vector<std::uint8_t> bytes(Front, Front + count);
        Front += count;
        Size -= count;
        return bytes;
    }
    std::string TakeRest() {
        const std::vector<std::uint8_t> bytes = TakeBytes(Size);
        return std::string(bytes.begin(), bytes.end());
    }

private:
    const std::uint8_t* Front;
    std::size_t Size;
};

// A path in a folder of this process's own, removed at exit: in memory where the system
// offers a folder there (files on disk would slow the fuzzer down tenfold).
inline std::string ScratchPath(const std::string& name) {
    static const struct ScratchFolder {
        ScratchFolder() { std::filesystem::create_directories(Path); }
        ~ScratchFolder() {
            std::error_code ignored;
            std::filesystem::remove_all(Path, ignored);
        }
        static std::filesystem::path Base() {
            std::error_code ignored;
            return std::filesystem::is_directory("/dev/shm", ignored)
                       ? std::filesystem::path("/dev/shm")
                       : std::filesystem::temp_directory_path();
        }
        const std::filesystem::path Path = Base() / ("tarvik-fuzz-" + std::to_string(getpid()));
    } folder;
    return (folder.Path / name).string();
}

inline std::string ScratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

inline std::string FileBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}
