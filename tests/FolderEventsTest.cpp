// What the kernel tells of a watched folder: each entry written, made, renamed into
// place or away, touched or removed, by its folder and name; folders inside and the
// folder itself, marked as such.
#include "FolderEvents.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;
namespace fs = std::filesystem;
using Changes = std::set<std::pair<int, std::string>>;

// A folder inside is written with a slash after it, the watched folder itself removed
// as "(removed)".
Changes changes_of(FolderEvents& events) {
  Changes changes;
  for (const auto& [folder, entry, kind] : events.take_changes())
    changes.insert({folder, kind == FolderChangeKind::removed
                                ? "(removed)"
                                : entry + (kind == FolderChangeKind::folder_entry ? "/" : "")});
  return changes;
}

TEST(FolderEvents, TellEveryEntryChangedInTheWatchedFoldersByFolderAndName) {
  TemporaryFolder folder;
  fs::create_directory(folder / "sub");
  std::string reason;
  const auto events = FolderEvents::open(reason);
  ASSERT_NE(events, nullptr) << reason;
  const int here = events->watch(folder.path().string(), reason);
  const int sub = events->watch((folder / "sub").string(), reason);
  ASSERT_GE(here, 0) << reason;
  ASSERT_GE(sub, 0) << reason;
  EXPECT_NE(here, sub);
  EXPECT_EQ(events->watch((folder / "sub" / "..").string(), reason), here) << "the same folder";
  EXPECT_EQ(changes_of(*events), Changes{});

  folder.write("a.dat", "-1\n");
  folder.write("sub/b.dat", "-1\n");
  EXPECT_EQ(changes_of(*events), (Changes{{here, "a.dat"}, {sub, "b.dat"}}));
  // Replaced by a renamed copy, as editors save.
  folder.write("copy.tmp", "-2\n");
  fs::rename(folder / "copy.tmp", folder / "a.dat");
  EXPECT_EQ(changes_of(*events), (Changes{{here, "copy.tmp"}, {here, "a.dat"}}));
  chmod((folder / "a.dat").c_str(), 0600);
  fs::rename(folder / "sub/b.dat", folder / "sub/c.dat");
  EXPECT_EQ(changes_of(*events), (Changes{{here, "a.dat"}, {sub, "b.dat"}, {sub, "c.dat"}}));
  fs::remove(folder / "a.dat");
  fs::create_directory(folder / "d.dat");
  EXPECT_EQ(changes_of(*events), (Changes{{here, "a.dat"}, {here, "d.dat/"}}));
  fs::remove_all(folder / "sub");
  EXPECT_EQ(changes_of(*events), (Changes{{here, "sub/"}, {sub, "c.dat"}, {sub, "(removed)"}}));
}

TEST(FolderEvents, AFolderThatCannotBeWatchedSaysWhy) {
  TemporaryFolder folder;
  std::string reason;
  const auto events = FolderEvents::open(reason);
  ASSERT_NE(events, nullptr) << reason;
  EXPECT_EQ(events->watch((folder / "missing").string(), reason), -1);
  EXPECT_EQ(reason, "No such file or directory");
  folder.write("file", "");
  EXPECT_EQ(events->watch((folder / "file").string(), reason), -1);
  EXPECT_EQ(reason, "Not a directory");
}

}  // namespace
}  // namespace curvist
