#pragma once
// What a program chooses about the platform the plotting modules draw and write through:
// where the screen plotter's windows go, and which console gets the modules' lines (and
// gives the Enter a screen plot without a window of its own waits for). A program that
// chooses nothing gets screen windows, made when first plotted into, and standard output
// and input.

#include <memory>
#include <string>
#include <string_view>

#include <curvist/Export.hpp>

namespace curvist {

class Console;

enum class PlotWindows {
  // Windows on the display when one can be reached; otherwise the plots are drawn
  // offscreen and not shown, and one line on standard error says so.
  screen,
  // Drawn offscreen and never shown; no display is contacted.
  offscreen,
};

// Installs a platform of the program's choice for as long as it lives, then restores the
// one before. It is a run of its own: its windows are numbered from 101 again, and they
// close when it ends (keep_windows_until_closed() first leaves them to the user). Screen
// windows connect to the display when it is made. The console, when given, must outlive
// it; without one, standard output and input serve.
class CURVIST_EXPORT ChosenPlatform {
 public:
  explicit ChosenPlatform(PlotWindows windows);
  ChosenPlatform(PlotWindows windows, Console& console);
  ~ChosenPlatform();
  ChosenPlatform(const ChosenPlatform&) = delete;
  ChosenPlatform& operator=(const ChosenPlatform&) = delete;

 private:
  struct Services;
  std::unique_ptr<Services> services_;
};

// For a program that has plotted on screen: keeps the current platform's plot windows
// shown until the user has closed them. Returns at once where nothing is shown.
CURVIST_EXPORT void keep_windows_until_closed();

// Writes what the current platform's window of `unit` shows (PLOTPACK::window_counter()
// numbers them) into the PNG file `file_name`, offscreen windows too. False, with the
// reason in why_not when given, when there is no such window, or it kept no pixels (an
// offscreen window the library drew into where no display could be reached, once it has
// been left for another), or the file cannot be written.
CURVIST_EXPORT bool write_window_png(int unit, std::string_view file_name,
                                     std::string* why_not = nullptr);

}  // namespace curvist
