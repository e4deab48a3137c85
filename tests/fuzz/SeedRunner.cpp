// Runs a fuzz target over the inputs kept in its seed folders, without libFuzzer: every
// build and its sanitizers see the seeds, and an input that once broke a target stays a
// test. Searching for new inputs is bench/fuzz/run's job.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  int inputs = 0;
  for (int index = 1; index < argc; ++index) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[index])) {
      if (!entry.is_regular_file()) continue;
      std::ifstream stream(entry.path(), std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), {}};
      if (!stream.eof() && stream.fail()) {
        std::fprintf(stderr, "cannot read the seed %s\n", entry.path().c_str());
        return 1;
      }
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
  }
  if (inputs == 0) {
    std::fprintf(stderr, "no seeds found\n");
    return 1;
  }
  std::printf("%d seeds ran\n", inputs);
  return 0;
}
