// Files read with plain reads a window at a time: the same text as the file wherever the
// window is, whatever has been given back, and a file cut short while it is read ends
// there and says so.

#include "files/FileText.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TemporaryFolder.hpp"
#include "plotfile/PlotFile.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;

// Lines of numbers, as a data file holds them, to at least `size` bytes.
std::string numbered_lines(std::size_t size, std::string_view line_end = "\n") {
  std::string content;
  for (int line = 0; content.size() < size; ++line)
    content += std::to_string(line) + " " + std::to_string(line * 0.5) + std::string(line_end);
  return content;
}

TEST(FileText, TextIsTheFilesWhereverTheWindowIsAndWhateverWasGivenBack) {
  // Windows never end between a carriage return and its line feed.
  for (const auto& [megabytes, line_end] :
       {std::pair{19, "\n"}, std::pair{3, "\r\n"}, std::pair{3, "\r"}}) {
    const TemporaryFolder folder;
    const std::string content = numbered_lines(std::size_t(megabytes) << 20, line_end);
    const auto path = folder.write("big.dat", content);

    auto file = FileText::open(path.string());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), content.size());
    std::size_t position = 0;
    while (!file->complete()) {
      file->read_ahead_of(position);
      const std::string_view text = file->text();
      ASSERT_GT(text.size(), position) << "the text reaches past where the reader is";
      EXPECT_TRUE(text.ends_with(line_end)) << "the window ends at a line end";
      EXPECT_TRUE(text.substr(position) ==
                  std::string_view(content).substr(position, text.size() - position));
      position = text.size();
      file->release_before(position);
    }
    EXPECT_EQ(file->text().size(), content.size());
    // Back to the start, as a second pass over the file goes.
    file->read_ahead_of(0);
    EXPECT_EQ(file->text().substr(0, 100), content.substr(0, 100));
    EXPECT_TRUE(file->whole_text() == content) << "what was given back is read again";
    EXPECT_FALSE(file->cut_short());

    FileText moved = std::move(*file);
    EXPECT_EQ(moved.text().substr(0, 6), content.substr(0, 6));
  }
}

TEST(FileText, ALineLongerThanAnyDataLineEndsTheTextWhereItBegins) {
  const TemporaryFolder folder;
  // Old Mac line ends: a blank line as long as a line may be is read on, a longer one
  // ends the text; the reader needs nothing behind it.
  const std::string longest(FileText::longest_line, ' ');
  const std::string before = "-1\r2\r0 0\r" + longest + "\r1 1\rx\ry\rT\r";
  const auto path = folder.write("long.dat", before + longest + " \rmore\r");
  auto file = FileText::open(path.string());
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->whole_text() == before);
  EXPECT_EQ(file->overlong_line(), before.size());
  const auto plot = read_plot_file(path.string());
  ASSERT_TRUE(plot);
  EXPECT_EQ(plot->x, (std::vector<double>{0, 1}));

  // Megabytes without a line end are never read whole: the text ends at once.
  const auto zeros = folder.write("zeros.dat", std::string(std::size_t(9) << 20, '\0'));
  auto unlined = FileText::open(zeros.string());
  unlined->read_ahead_of(0);
  EXPECT_TRUE(unlined->complete());
  EXPECT_EQ(unlined->text(), "");
  const auto unread = read_plot_file(zeros.string(), Reasons::asked);
  EXPECT_FALSE(unread);
  EXPECT_EQ(unread.why_not(), "line 1: longer than 65536 bytes, which no line of a data file is");
}

TEST(FileText, OpensEmptyFilesAndRefusesWhatIsNoRegularFile) {
  const TemporaryFolder folder;
  auto empty = FileText::open(folder.write("empty.dat", "").string());
  ASSERT_TRUE(empty);
  empty->read_ahead_of(0);
  EXPECT_TRUE(empty->text().empty());
  EXPECT_TRUE(empty->complete());
  const auto folder_opened = FileText::open(folder.path().string());
  EXPECT_FALSE(folder_opened) << "a folder";
  EXPECT_EQ(folder_opened.why_not(), "a directory");
  EXPECT_FALSE(FileText::open((folder.path() / "missing.dat").string()));
  const auto fifo = folder.path() / "fifo.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(FileText::open(fifo.string())) << "a FIFO, refused without waiting";
}

TEST(FileText, AFileCutShortWhileItIsReadEndsThereAndSaysSo) {
  const TemporaryFolder folder;
  const std::string content = numbered_lines(std::size_t(12) << 20);
  const auto path = folder.write("shrinking.dat", content);
  auto file = FileText::open(path.string());
  ASSERT_TRUE(file);
  file->read_ahead_of(0);
  EXPECT_FALSE(file->cut_short());
  const std::size_t first_window = file->text().size();
  ASSERT_LT(first_window, content.size());

  // Another program cuts the file short behind the first window.
  constexpr std::size_t cut = std::size_t(6) << 20;
  std::filesystem::resize_file(path, cut);
  while (!file->complete()) file->read_ahead_of(file->text().size());
  EXPECT_TRUE(file->cut_short());
  EXPECT_EQ(file->size(), cut);
  EXPECT_TRUE(file->text().substr(first_window) ==
              std::string_view(content).substr(first_window, cut - first_window));

  const auto other = FileText::open(path.string());
  ASSERT_TRUE(other);
  EXPECT_FALSE(other->cut_short()) << "the shorter file opened anew is whole";

  // A text kept whole is read from the file once: a second pass reads what the first
  // read, whatever the file became since.
  const auto kept_path = folder.write("kept.dat", content);
  auto kept = FileText::open(kept_path.string());
  ASSERT_TRUE(kept);
  kept->keep_text_read();
  while (!kept->complete()) kept->read_ahead_of(kept->text().size());
  kept->release_before(kept->text().size());
  std::filesystem::resize_file(kept_path, cut);
  kept->read_ahead_of(0);
  EXPECT_TRUE(kept->whole_text() == content);
  EXPECT_FALSE(kept->cut_short());
}

TEST(FileText, AFileCutShortBeforeItIsReadIsRefusedByTheReader) {
  const TemporaryFolder folder;
  std::string content = "-1\n20000\n";
  for (int point = 0; point < 20000; ++point) content += std::to_string(point) + " 1.5\n";
  content += "x\ny\ntitle\n";
  const auto path = folder.write("shrinking.dat", content);
  std::filesystem::resize_file(path, 4096);
  const auto unread = read_plot_file(path.string(), Reasons::asked);
  EXPECT_FALSE(unread) << "the file as it is now is too short";
  EXPECT_EQ(unread.why_not(),
            "the header promises 1 curve of 20000 points, more than a file of 4096 bytes holds");
}

}  // namespace
}  // namespace curvist
