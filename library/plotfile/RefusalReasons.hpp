#pragma once
// The words in which the pre-check and the reader say why they refuse a data file, for a
// user who asked: plain words, the offending text quoted, what was expected, and the
// line (numbered from 1, blank lines included) where there is one.
//   line 2: "1.5" is not an integer (the number of points)
//   the file ends after line 8, before point 3 of curve 1

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "listdirected/ListDirectedInput.hpp"

namespace curvist {

// What the values and lines of a data file are, as a reason names them.
inline constexpr std::array<std::string_view, 2> header_roles = {"minus the number of curves",
                                                                 "the number of points"};
inline constexpr std::array<std::string_view, 3> caption_roles = {"the x caption", "the y caption",
                                                                  "the title"};
inline constexpr std::string_view cut_short_reason = "cut short while it was read";

// "line 7: " for the line on which `position` of text stands.
std::string at_line(std::string_view text, std::size_t position);

// The text in double quotes, cut to a few dozen characters, with control characters
// written as \xNN so that the line stays one line and harmless on a terminal.
std::string quoted(std::string_view text);

// "1 point", "2 points".
std::string counted(std::int64_t count, std::string_view noun);

// What the two header numbers promise: "the header promises 2 curves of 100 points", or
// for numbers that are not minus the curves and the points, how many data lines they
// ask for.
std::string header_promise(std::int64_t first, std::int64_t second);

// "line 1: longer than 65536 bytes, which no line of a data file is".
std::string overlong_line_reason(std::int64_t line);

// "the file ends after line 8, before `missing`"; "the file is empty".
std::string early_end(std::string_view text, std::string_view missing);

// Why a read of `expected` ("an integer", "a number") stopped, with its `role` ("the
// number of points") in parentheses where one is given. At the end of the file, the
// role (or else what was expected) is what the file ends before.
std::string read_fault_reason(std::string_view text, const ReadStatus& status,
                              std::string_view expected, std::string_view role);

}  // namespace curvist
