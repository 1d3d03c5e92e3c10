// Runs a fuzz target without libFuzzer: LLVMFuzzerTestOneInput once on each
// file named on the command line, or on each file of a directory named
// there. Fails when a file cannot be read or there was no input at all.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Hands the target an exactly sized copy of the file, as libFuzzer does, so
// that a read past its end is caught; false when the file cannot be read.
bool replay(const std::filesystem::path& file) {
    std::printf("%s\n", file.string().c_str());
    std::fflush(stdout);
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[text.size()]);
    std::memcpy(copy.get(), text.data(), text.size());
    LLVMFuzzerTestOneInput(copy.get(), text.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    bool read_all = true;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files = {argv[i]};
        if (std::filesystem::is_directory(argv[i])) {
            files.assign(std::filesystem::directory_iterator(argv[i]),
                         std::filesystem::directory_iterator());
        }
        for (const std::filesystem::path& file : files) {
            read_all = replay(file) && read_all;
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return read_all && inputs > 0 ? 0 : 1;
}
