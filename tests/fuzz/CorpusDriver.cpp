// Stands in for libFuzzer where it is not available: runs every file of the
// given corpus folders (or the given files) through the target once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> FileBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Sorted, so a failing run is the same run every time.
std::vector<fs::path> CorpusFiles(const fs::path& where)
{
    std::vector<fs::path> files;
    std::error_code error;
    if (fs::is_regular_file(where, error))
        return {where};
    for (const fs::directory_entry& entry : fs::directory_iterator(where, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void RunOne(const fs::path& path)
{
    std::vector<uint8_t> bytes = FileBytes(path);
    // Never a null pointer, as libFuzzer also guarantees for empty inputs.
    static const uint8_t kNoBytes = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &kNoBytes : bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t ran = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& path : CorpusFiles(argv[i])) {
            RunOne(path);
            ++ran;
        }
    }
    // An empty or missing corpus would pass without checking anything.
    if (ran == 0) {
        std::fprintf(stderr, "no corpus files found\n");
        return 1;
    }
    std::printf("%zu inputs ran\n", ran);
    return 0;
}
