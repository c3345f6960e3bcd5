// Runs a fuzz target over files instead of under libFuzzer: every file named, and every file
// in a folder named, goes once through the target's check. A broken property aborts, so a
// corpus replayed by ctest keeps each input that once found a fault as a regression test.
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.emplace_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        const std::string bytes = FileBytes(input.string());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
