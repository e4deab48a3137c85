// Where the banner's README is found: relative to the program in an installation under
// any prefix, through the link a build tree holds, and where it belongs when it is gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ReadmeLocation.hpp"
#include "TemporaryFolder.hpp"

namespace curvist {
namespace {

using testing::TemporaryFolder;
namespace fs = std::filesystem;

const fs::path docdir_from_bindir = "../share/doc/curvist";

// An installed program and README under `prefix`, as cmake --install lays them out.
fs::path install_into(const fs::path& prefix) {
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share/doc/curvist");
  std::ofstream(prefix / "share/doc/curvist/README.md") << "# Curvist\n";
  std::ofstream(prefix / "bin/curvist") << "program\n";
  return prefix / "bin/curvist";
}

// A build tree under `root` as CMake lays it out: the program one folder deep, and the
// link to the source tree's README where an installation keeps its README.
fs::path build_tree_under(const fs::path& root) {
  fs::create_directories(root / "build/driver");
  fs::create_directories(root / "build/share/doc/curvist");
  fs::create_symlink(root / "source/README.md", root / "build/share/doc/curvist/README.md");
  return root / "build/driver/curvist";
}

TEST(ReadmeLocation, IsTheInstallationsOwnUnderAnyPrefixAndAfterAMove) {
  TemporaryFolder folder;
  const fs::path root = fs::canonical(folder.path());
  for (const fs::path& prefix : {root / "usr", root / "home/me/my opt/curvist"}) {
    const fs::path program = install_into(prefix);
    EXPECT_EQ(readme_beside(program, docdir_from_bindir), prefix / "share/doc/curvist/README.md");
  }
  fs::rename(root / "home/me", root / "moved");
  EXPECT_EQ(readme_beside(root / "moved/my opt/curvist/bin/curvist", docdir_from_bindir),
            root / "moved/my opt/curvist/share/doc/curvist/README.md");
}

TEST(ReadmeLocation, FollowsTheBuildTreesLinkToTheSourceTree) {
  TemporaryFolder folder;
  const fs::path root = fs::canonical(folder.path());
  fs::create_directories(root / "source");
  std::ofstream(root / "source/README.md") << "# Curvist\n";
  EXPECT_EQ(readme_beside(build_tree_under(root), docdir_from_bindir), root / "source/README.md");
}

TEST(ReadmeLocation, NamesWhereTheReadmeBelongsWhenItIsMissing) {
  TemporaryFolder folder;
  const fs::path root = fs::canonical(folder.path());
  const fs::path program = install_into(root / "opt");
  fs::remove_all(root / "opt/share");
  EXPECT_EQ(readme_beside(program, docdir_from_bindir), root / "opt/share/doc/curvist/README.md");
  // A build tree whose link points at a README that is gone.
  EXPECT_EQ(readme_beside(build_tree_under(root), docdir_from_bindir),
            root / "build/share/doc/curvist/README.md");
}

}  // namespace
}  // namespace curvist
