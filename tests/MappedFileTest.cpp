// Files read through a mapping: the same text as the file, whatever has been given back.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "TemporaryFolder.hpp"
#include "files/MappedFile.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

TEST(MappedFile, TextStaysReadableAfterItsPagesAreGivenBack) {
  const TemporaryFolder folder;
  std::string content;
  for (int line = 0; content.size() < (std::size_t(9) << 20); ++line)
    content += std::to_string(line) + " " + std::to_string(line * 0.5) + "\n";
  const auto path = folder.write("big.dat", content);

  auto file = MappedFile::open(path.string());
  ASSERT_TRUE(file);
  ASSERT_EQ(file->text().size(), content.size());
  file->release_before(content.size() / 2);
  file->release_before(content.size() + 100);  // beyond the end: everything
  EXPECT_TRUE(file->text() == content) << "pages given back come back from the file";

  MappedFile moved = std::move(*file);
  EXPECT_EQ(moved.text().substr(0, 6), content.substr(0, 6));
}

TEST(MappedFile, MapsEmptyFilesAndRefusesWhatIsNoRegularFile) {
  const TemporaryFolder folder;
  const auto empty = MappedFile::open(folder.write("empty.dat", "").string());
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->text().empty());
  EXPECT_FALSE(MappedFile::open(folder.path().string())) << "a folder";
  EXPECT_FALSE(MappedFile::open((folder.path() / "missing.dat").string()));
  const auto fifo = folder.path() / "fifo.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(MappedFile::open(fifo.string())) << "a FIFO, refused without waiting";
}

}  // namespace
}  // namespace curvist
