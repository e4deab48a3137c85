#pragma once
// What the program does with each data file, in its run and when it follows its files:
// the pre-check, then LOADPLOT's steps. A file either refuses is skipped silently, or,
// with --explain, with one line on standard error:
//   curvist: skipped spectrum.dat: line 2: "1.5" is not an integer (the number of points)

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Run.hpp"
#include "files/FileText.hpp"
#include "text/Refusal.hpp"

namespace curvist {

// Reasons are made only for a run that explains.
Reasons reasons_for(const RunOptions& options);

// Pre-checks `name` and plots it, from the text the check read, when it passes;
// otherwise explains why not, with what `hint` adds to the reason.
void plot_when_it_passes(std::string_view name, const RunOptions& options,
                         const std::function<void(FileText& text)>& plot,
                         const std::function<std::string()>& hint = nullptr);

// LOADPLOT's steps for a file that passed, read from `text`, the screen plot into the
// window of `window_unit` when given, else a new one, and an explanation when the file
// gives no plot after all. The unit of the window drawn into.
std::optional<int> load_or_explain(FileText& text, std::string_view name, const RunOptions& options,
                                   std::optional<int> window_unit = std::nullopt);

// name: the name field as listed (trailing blanks are dropped); reason: the first reason
// the pre-check or the reader gave.
void explain_skipped(std::string_view name, std::string_view reason);

}  // namespace curvist
