#include "ReadmeLocation.hpp"

#include <system_error>

namespace curvist {

std::filesystem::path readme_beside(const std::filesystem::path& program,
                                    const std::filesystem::path& docdir_from_program) {
  const std::filesystem::path readme =
      (program.parent_path() / docdir_from_program / "README.md").lexically_normal();
  std::error_code missing;
  std::filesystem::path resolved = std::filesystem::canonical(readme, missing);
  return missing ? readme : resolved;
}

std::filesystem::path readme_of_this_program() {
  std::error_code unreadable;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", unreadable);
  if (unreadable) return std::filesystem::path(CURVIST_DOC_DIR) / "README.md";
  return readme_beside(program, CURVIST_DOCDIR_FROM_BINDIR);
}

}  // namespace curvist
