// The platform choice, the windows kept to the user and written as pictures, and the
// removal of unfinished pictures, for C callers.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <curvist/console/Console.hpp>
#include <curvist/files/TemporaryFileRemoval.hpp>
#include <curvist/platform/PlatformChoice.hpp>
#include "c/CallBoundary.hpp"

namespace curvist::c_interface {
namespace {

// The caller's console functions as the library's console.
class ConsoleOfC final : public Console {
 public:
  explicit ConsoleOfC(const curvist_console& functions) : functions_(functions) {}

  void write_line(std::string_view line) override {
    if (functions_.write_line == nullptr) return;
    const std::string whole(line);  // NUL-terminated, as C reads texts
    functions_.write_line(functions_.context, whole.c_str(), whole.size());
  }
  void read_line() override {
    if (functions_.read_line != nullptr) functions_.read_line(functions_.context);
  }
  void sleep_seconds(int seconds) override {
    if (functions_.sleep_seconds != nullptr) functions_.sleep_seconds(functions_.context, seconds);
  }

 private:
  curvist_console functions_;
};

}  // namespace
}  // namespace curvist::c_interface

struct curvist_platform {
  std::optional<curvist::c_interface::ConsoleOfC> console;
  std::optional<curvist::ChosenPlatform> chosen;
};

using namespace curvist;
using namespace curvist::c_interface;

namespace {

// The platforms C callers chose, the last one chosen last: they end in reverse order, as
// the scopes of C++ end.
std::vector<curvist_platform*> chosen_platforms;

}  // namespace

extern "C" {

curvist_platform* curvist_choose_platform(curvist_plot_windows windows,
                                          const curvist_console* console) {
  curvist_platform* made = nullptr;
  guarded([&]() -> Outcome {
    if (windows != CURVIST_SCREEN_WINDOWS && windows != CURVIST_OFFSCREEN_WINDOWS)
      return {CURVIST_BAD_ARGUMENTS, "no such choice of windows: " + std::to_string(windows)};
    if (console != nullptr && console->size != sizeof(curvist_console))
      return {CURVIST_BAD_ARGUMENTS,
              "the console structure holds " + std::to_string(console->size) +
                  " bytes, this library knows one of " + std::to_string(sizeof(curvist_console))};
    auto platform = std::make_unique<curvist_platform>();
    const PlotWindows choice =
        windows == CURVIST_OFFSCREEN_WINDOWS ? PlotWindows::offscreen : PlotWindows::screen;
    chosen_platforms.reserve(chosen_platforms.size() + 1);
    if (console != nullptr)
      platform->chosen.emplace(choice, platform->console.emplace(*console));
    else
      platform->chosen.emplace(choice);
    chosen_platforms.push_back(platform.get());
    made = platform.release();
    return {};
  });
  return made;
}

curvist_status curvist_end_platform(curvist_platform* platform) {
  return guarded([&]() -> Outcome {
    if (platform == nullptr || chosen_platforms.empty() || chosen_platforms.back() != platform)
      return {CURVIST_BAD_ARGUMENTS, "that is not the platform chosen last, or it has ended"};
    chosen_platforms.pop_back();
    delete platform;
    return {};
  });
}

curvist_status curvist_keep_windows_until_closed(void) {
  return guarded([]() -> Outcome {
    keep_windows_until_closed();
    return {};
  });
}

curvist_status curvist_write_window_png(int unit, const char* file_name) {
  return guarded([&]() -> Outcome {
    if (file_name == nullptr) return {CURVIST_BAD_ARGUMENTS, "the file name is a null pointer"};
    std::string why_not;
    if (write_window_png(unit, file_name, &why_not)) return {};
    return {CURVIST_PICTURE_NOT_WRITTEN, "cannot write the window of unit " + std::to_string(unit) +
                                             " into " + file_name + ": " + why_not};
  });
}

bool curvist_remove_temporary_files_on_interrupt(void) {
  try {
    return remove_temporary_files_on_interrupt();
  } catch (...) {
    return false;
  }
}

void curvist_remove_temporary_files(void) { remove_temporary_files(); }

}  // extern "C"
