#pragma once
// The reference programs under tests/reference, built with the gfortran installed here
// and run over a file of input lines: how the tests compare Curvist with gfortran's
// runtime, the reference for Fortran's formatted output and list-directed input.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "TemporaryFolder.hpp"

namespace curvist::testing {

// tests/reference/NAME.f90 built into a folder of its own in the build tree; nothing when
// there is no gfortran. A build that fails fails the calling test.
inline std::optional<std::filesystem::path> built_reference_program(std::string_view name) {
  if (std::system("gfortran --version > /dev/null 2>&1") != 0) return std::nullopt;
  const std::filesystem::path folder =
      std::filesystem::path(CURVIST_BINARY_DIR) / (std::string(name) + "-reference");
  std::filesystem::create_directories(folder);
  const std::filesystem::path program = folder / name;
  // Appended piece by piece: g++ 12 warns wrongly about one long concatenation.
  std::string command = "gfortran -O0 '";
  command += CURVIST_SOURCE_DIR;
  command += "/tests/reference/";
  command += name;
  command += ".f90' -o '";
  command += program.string();
  command += "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return program;
}

// What the program writes on standard output, given `input` on standard input.
inline std::string reference_output(const std::filesystem::path& program,
                                    const std::string& input) {
  const std::string input_path = program.string() + ".input";
  const std::string output_path = program.string() + ".output";
  std::ofstream(input_path, std::ios::binary) << input;
  std::string command = "'";
  command += program.string();
  command += "' < '";
  command += input_path;
  command += "' > '";
  command += output_path;
  command += "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return contents_of(output_path);
}

}  // namespace curvist::testing
