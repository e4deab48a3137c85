#pragma once
// The presenter of the X11 windows: a thread with the only connection to the X server.
// It makes a window on screen for every unit with pixels, keeps its title, mapping and
// place in the stack as the program set them, and sends it what changed of its surface
// (or all of it, for a window just mapped), at most once a presentation interval. It
// repaints exposed windows from their surfaces and hands every other event to the
// windows' answers (WindowEvents).
//
// It holds windows back: a window opened while lines the user reads before it are still
// owed (pictures finished in the background) is made at once but mapped only once they
// are written, on the program's thread, so it appears where a program that waits for
// every picture would show it.
//
// Pixels: on a server of this machine that offers shared memory they go through a
// segment both attach; elsewhere, and for parts larger than the screen, through the
// connection.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "window/PixelSurface.hpp"
#include "window/ScreenStatus.hpp"
#include "window/SharedWindows.hpp"
#include "window/WindowEvents.hpp"

struct _XDisplay;
struct _XGC;
union _XEvent;

namespace curvist {

class SharedPixelSegment;

class X11Presenter {
 public:
  // The display DISPLAY names, if it can be reached and shows 24-bit true colour; null
  // with the reason when not.
  static _XDisplay* open_display(std::string& reason);
  static ScreenSize screen_size(_XDisplay* display);

  // Takes the display over and starts the presenter's thread.
  X11Presenter(_XDisplay* display, bool share_pixels, SharedWindows& shared, ScreenStatus& status,
               WindowEvents& events);
  // Closes the display, unless it was lost.
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Ends the presenter's thread; nothing is shown from then on.
  void stop();

  // Called before the unit's window is opened: it is mapped once the lines owed so far
  // are written, at once when none is owed.
  void hold_back_until_lines_written(int unit);

  // Known once the presenter has sent pixels.
  bool pixels_in_shared_memory() const { return pixels_in_shared_memory_; }

 private:
  // What the presenter keeps of a window it shows.
  struct ShownWindow {
    unsigned long window = 0;
    bool closed = false;  // by the user: never shown again
    bool mapped = false;
    unsigned title_version = 0;
    unsigned raise_version = 0;
    // The surface's size when last seen: exposures beyond it show the window background.
    int surface_width = 0;
    int surface_height = 0;
    // Changed or exposed, and not yet sent.
    PixelRectangle to_send;
    // The last pixels sent, and the number of the request that sent them: an exposure
    // the server noted before that request is already repainted.
    PixelRectangle last_sent;
    unsigned long last_sent_request = 0;

    // The title as the program gave it, and what the title shows now: the values under
    // the pointer or a word for the user after it.
    std::string own_title;
    std::string title_shown;
    // A word shown in the title until then.
    std::optional<std::chrono::steady_clock::time_point> word_until;
    // A zoom being dragged with the left button: where it began, and the rectangle drawn
    // over the window's pixels.
    bool dragging = false;
    int drag_x = 0;
    int drag_y = 0;
    PixelRectangle band;
  };
  // What a presentation does to one window, decided under the drawing lock and done
  // outside it.
  struct WindowChange;

  void run();
  // Brings the windows on screen up to what the program drew.
  void synchronise();
  std::vector<WindowChange> take_changes();
  void make_window(ShownWindow& shown, int unit, int width, int height);
  void set_title(const ShownWindow& shown, const std::string& title);
  // Sends what waits to be sent of the unit's window, read from its surface.
  void send_waiting_pixels(int unit, ShownWindow& shown);
  // Notes how many windows are on screen now.
  void count_windows_on_screen();

  // The events of the windows, X11PresenterEvents.cpp: those every window reports, and
  // the handling of those waiting on the connection.
  static long event_mask();
  void handle_events();
  // Repaints or hands on one event of the unit's window; whether it closed the window.
  // An exposed unit is added to `exposed_units`, repainted once the batch is handled.
  bool dispatch(const _XEvent& event, int unit, ShownWindow& shown,
                std::vector<int>& exposed_units);
  // A window closed or destroyed: never shown or drawn again.
  void forget_closed(int unit, ShownWindow& shown);
  // What the pointer and the keyboard ask of an explorable window; whether it closed it.
  bool dispatch_input(const _XEvent& event, int unit, ShownWindow& shown);
  // The pointer came to rest at (x, y) of the unit's window in the last batch of events.
  void pointer_moved(int unit, ShownWindow& shown, int x, int y);
  // The rubber band of a drag, drawn over the window's pixels, and taken off again by
  // repainting its edges from the surface.
  void draw_band(ShownWindow& shown, const PixelRectangle& band);
  void remove_band(int unit, ShownWindow& shown);
  void set_title_shown(ShownWindow& shown, const std::string& title);
  // Shows `word` after the window's title for a few seconds (nothing for an empty one).
  void show_word(ShownWindow& shown, const std::string& word);
  // Gives back their own titles to windows whose words are done; when the next is due.
  std::optional<std::chrono::steady_clock::time_point> end_words();

  // Maps the unit's window once the lines owed before it are written.
  void show_withheld(int unit);
  static void on_connection_lost(_XDisplay* display, void* status);

  SharedWindows& shared_;
  ScreenStatus& status_;
  WindowEvents& events_;

  // The presenter's own, on its thread.
  _XDisplay* display_;
  int screen_;
  unsigned long protocols_;
  unsigned long delete_window_;
  unsigned long net_wm_name_;
  unsigned long utf8_string_;
  int windows_made_ = 0;
  std::map<int, ShownWindow> shown_;
  std::map<unsigned long, int> unit_of_;
  // Where the pointer moved to in each window during the batch of events being handled.
  std::map<int, std::pair<int, int>> pointer_moves_;
  // Draws the rubber band: inverts what it covers, so it shows on any colour.
  _XGC* band_gc_ = nullptr;
  // The pixels on their way to the server, one window's part at a time: in memory the
  // server shares when it can, else through the socket. Nothing else keeps a copy: a
  // repaint reads the unit's surface again.
  bool share_pixels_;  // as the caller chose
  std::unique_ptr<SharedPixelSegment> segment_;
  std::vector<std::uint32_t> outgoing_;

  std::atomic<bool> pixels_in_shared_memory_{false};
  std::atomic<bool> stopping_{false};
  // Seen by what waits for the lines owed: it may outlive the presenter.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
  std::thread thread_;
};

}  // namespace curvist
