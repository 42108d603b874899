// Without libFuzzer: runs the target once over each file given, or over
// each file of each folder given, in name order. A broken property aborts.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t byte);

int main(int argc, char* argv[]) {
  namespace fs = std::filesystem;
  std::vector<fs::path> file;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& voce : fs::directory_iterator(argv[i]))
        if (voce.is_regular_file()) file.push_back(voce.path());
    } else if (fs::exists(argv[i])) {
      file.push_back(argv[i]);
    }
  }
  std::sort(file.begin(), file.end());
  for (const fs::path& f : file) {
    std::ifstream in(f, std::ios::binary);
    const std::vector<char> dati{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(dati.data()), dati.size());
  }
  std::printf("%zu inputs replayed\n", file.size());
  return file.empty() ? 1 : 0;
}
