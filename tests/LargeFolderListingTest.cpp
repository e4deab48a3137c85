// The listing of a folder holding a hundred thousand entries, few of them data files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ListFile.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::ScopedCurrentFolder;
using testing::TemporaryFolder;

void make_empty_file(const std::filesystem::path& path) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  ASSERT_GE(descriptor, 0) << path;
  close(descriptor);
}

TEST(LargeFolderListing, FindsTheFewDataFilesAmongAHundredThousandEntries) {
#if defined(__SANITIZE_ADDRESS__)
  // Making the entries is the cost here, and the listing's code runs in every other test.
  GTEST_SKIP() << "not measured in a sanitizer build";
#endif
  TemporaryFolder folder;
  // Names that come close: other extensions, ".dat" inside the name, hidden data files.
  for (int number = 0; number < 100000; ++number) {
    const std::string digits = std::to_string(number);
    switch (number % 4) {
      case 0:
        make_empty_file(folder / ("entry-" + digits + ".txt"));
        break;
      case 1:
        make_empty_file(folder / ("entry-" + digits + ".dat.bak"));
        break;
      case 2:
        make_empty_file(folder / (".entry-" + digits + ".dat"));
        break;
      default:
        make_empty_file(folder / ("entry-" + digits + "dat"));
        break;
    }
  }
  for (const char* name : {"zeta.dat", "Alpha.DAT", "alpha.dat", "my data.dat", "m.Dat"})
    make_empty_file(folder / name);
  std::filesystem::create_directory(folder / "series.dat");
  std::filesystem::create_directory(folder / "other-folder");

  const ScopedCurrentFolder inside(folder.path());
  EXPECT_EQ(data_file_names(), (std::vector<std::string>{"series.dat", "Alpha.DAT", "alpha.dat",
                                                         "m.Dat", "my data.dat", "zeta.dat"}));
}

}  // namespace
}  // namespace curvist
