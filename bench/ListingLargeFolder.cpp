// Listing the data files of a folder that holds a hundred thousand other entries.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ListFile.hpp"

namespace {

namespace fs = std::filesystem;

// A fresh folder of empty files, removed at the end.
class CrowdedFolder {
 public:
  explicit CrowdedFolder(int entries) {
    std::string pattern = (fs::temp_directory_path() / "curvist-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    for (int number = 0; number < entries; ++number) {
      std::string name = "entry-";
      name += std::to_string(number);
      name += number % 2 ? ".txt" : ".dat.bak";
      touch(name);
    }
    for (const char* name : {"one.dat", "Two.DAT", "three.dat"}) touch(name);
  }
  ~CrowdedFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  void touch(const std::string& name) {
    const int descriptor =
        open((path_ / name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor >= 0) close(descriptor);
  }
  fs::path path_;
};

void list_crowded_folder(benchmark::State& state) {
  const CrowdedFolder folder(static_cast<int>(state.range(0)));
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  std::size_t found = 0;
  for (auto _ : state) found = curvist::data_file_names().size();
  fs::current_path(previous);
  if (found != 3) state.SkipWithError("the three data files were not all found");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(list_crowded_folder)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
