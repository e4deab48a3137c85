#pragma once
// Helpers shared by the fuzz targets: the fuzzer's bytes as text, a crash that names the
// broken property, and a data file on disk for the readers that take a file name.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace curvist::fuzzing {

inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Stops the run the way a sanitizer does, so that libFuzzer keeps the input.
[[noreturn]] inline void broken(const char* property) {
  std::fprintf(stderr, "broken property: %s\n", property);
  std::abort();
}

// One file per fuzzing process, rewritten for every input.
class ScratchFile {
 public:
  ScratchFile() {
    std::string pattern = "/tmp/curvist-fuzz-XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) broken("a scratch file can be made");
    close(descriptor);
    path_ = pattern;
  }
  ~ScratchFile() { unlink(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& write(std::string_view content) const {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr) broken("the scratch file can be written");
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), file) != content.size())
      broken("the scratch file takes the whole input");
    std::fclose(file);
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace curvist::fuzzing
