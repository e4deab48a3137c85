#pragma once
// LOADPLOT's steps as the library's own callers take them (the program that follows its
// files among them), saying what they did; defined in LoadPlot.cpp. Part of the library's
// code, not of its interface.

#include <optional>
#include <string>
#include <string_view>

#include "text/Refusal.hpp"

namespace curvist {
class FileText;
}

namespace curvist::LOADPLOTPACK {

struct LoadOutcome {
  // The window the screen plot was drawn into; nothing when it was not drawn.
  std::optional<int> window_unit;
  // When asked for: why the file could not be read (the first reason, with the line where
  // there is one), or why its curves give no plot ("no picture: ..." when only the
  // picture is skipped); empty when the file is plotted.
  std::string why_not;
};

// Reads the data file `name` and draws its curves on screen, then into a picture of
// `device_type` ("ps" when absent) named after it. The screen plot goes into the window
// of `window_unit` in place of what it shows when one is given (PLOTPACK::replot_window),
// else into a new window; the picture is written either way, " Output in " and all.
LoadOutcome load_plot(std::string_view name, std::optional<std::string_view> device_type,
                      Reasons reasons, std::optional<int> window_unit = std::nullopt);

// The same for the file `name` opened as `text` already (by a check that read it before,
// say): its text is read from there.
LoadOutcome load_plot(FileText& text, std::string_view name,
                      std::optional<std::string_view> device_type, Reasons reasons,
                      std::optional<int> window_unit = std::nullopt);

}  // namespace curvist::LOADPLOTPACK
