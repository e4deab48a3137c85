#pragma once
// A private X server with the program's X11 windows on it as the platform of a test (the
// console and PGPLOT recorded into `trace`), and an onlooker to look at the windows as a
// user would.
//
// Include after the test framework: Xlib defines macros such as None and Bool.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "X11Onlooker.hpp"
#include "XvfbServer.hpp"
#include "console/RecordingConsole.hpp"
#include "pgplot/RecordingPgplot.hpp"
#include "platform/Platform.hpp"
#include "window/X11Windows.hpp"

namespace curvist::testing {

// How the server runs and how the program reaches it.
struct X11Choices {
  std::vector<std::string> server_options{};
  std::optional<uid_t> server_user{};
  std::string host{};  // connects through the network to this host, when given
  X11Windows::PixelTransfer transfer = X11Windows::PixelTransfer::shared_memory_when_local;
};

struct X11PlotPlatform {
  std::ostringstream trace;
  std::unique_ptr<XvfbServer> server;
  std::unique_ptr<ScopedDisplayVariable> display;
  std::unique_ptr<X11Windows> windows;
  std::unique_ptr<RecordingConsole> console;
  std::unique_ptr<RecordingPgplot> pgplot;
  std::unique_ptr<ScopedPlatform> platform;
  std::unique_ptr<Onlooker> onlooker;

  // Starts the server, connects to it and installs the platform; a fatal failure of the
  // test where any of it cannot be.
  void start(const X11Choices& choices = {}) {
    server = std::make_unique<XvfbServer>(choices.server_options, choices.server_user);
    ASSERT_TRUE(server->running()) << "Xvfb did not start";
    display =
        std::make_unique<ScopedDisplayVariable>((choices.host + server->display_name()).c_str());
    std::string reason;
    windows = X11Windows::connect(reason, choices.transfer);
    ASSERT_NE(windows, nullptr) << reason;
    console = std::make_unique<RecordingConsole>(trace);
    pgplot = std::make_unique<RecordingPgplot>(trace);
    platform = std::make_unique<ScopedPlatform>(Platform{*console, *pgplot, *windows});
    onlooker = std::make_unique<Onlooker>(server->display_name());
    ASSERT_NE(onlooker->display(), nullptr);
  }

  // The platform and the windows go, the server stays.
  void stop_windows() {
    platform.reset();
    windows.reset();
  }
};

}  // namespace curvist::testing
