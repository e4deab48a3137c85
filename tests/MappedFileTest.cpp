// Files read through a mapping: the same text as the file, whatever has been given back.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "plotfile/PlotFile.hpp"

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

TEST(MappedFile, AFileCutShortWhileMappedReadsAsZerosInsteadOfCrashing) {
  const TemporaryFolder folder;
  const std::string content(std::size_t(64) << 10, '7');
  const auto path = folder.write("shrinking.dat", content);
  auto file = MappedFile::open(path.string());
  ASSERT_TRUE(file);
  EXPECT_FALSE(file->cut_short());

  std::filesystem::resize_file(path, 100);  // another program cuts the file short
  const auto text = file->text();
  EXPECT_EQ(text[10], '7');
  EXPECT_EQ(text[text.size() - 1], '\0') << "the vanished pages read as zero bytes";
  EXPECT_TRUE(file->cut_short());

  const auto other = MappedFile::open(path.string());
  ASSERT_TRUE(other);
  EXPECT_FALSE(other->cut_short()) << "a new mapping of the shorter file is whole";
}

TEST(MappedFile, AFileCutShortBeforeItIsReadIsRefusedByTheReader) {
  const TemporaryFolder folder;
  std::string content = "-1\n20000\n";
  for (int point = 0; point < 20000; ++point) content += std::to_string(point) + " 1.5\n";
  content += "x\ny\ntitle\n";
  const auto path = folder.write("shrinking.dat", content);
  // Cut short between the mapping and the reading, as a writer racing the reader would.
  auto file = MappedFile::open(path.string());
  ASSERT_TRUE(file);
  std::filesystem::resize_file(path, 4096);
  EXPECT_NE(file->text().back(), '\n');
  EXPECT_FALSE(read_plot_file(path.string())) << "the file as it is now is too short";
}

}  // namespace
}  // namespace curvist
