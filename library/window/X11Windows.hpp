#pragma once
// Window operations shown on an X11 display. Every unit is a top-level window titled by
// its caption; all drawing goes to the unit's offscreen surface, and a presenter thread
// with the only connection to the X server shows it.
//
// Presentation: a drawing call only touches memory. The first change after a
// presentation wakes the presenter, which copies the changed part of every surface and
// sends it to the server, at most once every few milliseconds; so what a plot drew is on
// screen a few milliseconds after it was drawn, while the program goes on (or waits for
// the user), without a round trip per call. The presenter also repaints exposed windows,
// follows resizing and the window manager's close button.
//
// Order: a window opened while lines the user reads before it are still owed (pictures
// finished in the background) is drawn at once but mapped only once they are written.
//
// Resizing: a window whose plot was laid out to its size is drawn again when the user
// resizes it, by a redraw thread of its own, so that neither the program nor the
// presenter waits for it. The plot is drawn afresh into offscreen windows of the new
// size and the result takes the window's place under the drawing lock. A drag brings
// many sizes; a window is redrawn at most once a presentation interval, at the last
// size it was given.
//
// Pixels: on a server of this machine that offers shared memory, the presenter hands
// them over in a segment both attach; elsewhere they go through the connection.
//
// A window closed by the user stays closed; drawing into its unit goes on harmlessly.
// If the X server goes away, drawing goes on offscreen and one line on standard error
// says so.

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "window/KeptPlots.hpp"
#include "window/OffscreenWindows.hpp"
#include "window/SpinLock.hpp"
#include "window/WindowOperations.hpp"

struct _XDisplay;

namespace curvist {

class X11Windows final : public WindowOperations {
 public:
  enum class PixelTransfer {
    shared_memory_when_local,  // through the connection where the server cannot share
    through_connection,
  };

  // Connects to the display DISPLAY names; null with the reason when it cannot.
  static std::unique_ptr<X11Windows> connect(
      std::string& reason, PixelTransfer transfer = PixelTransfer::shared_memory_when_local);
  ~X11Windows() override;
  X11Windows(const X11Windows&) = delete;
  X11Windows& operator=(const X11Windows&) = delete;

  int open_window(int unit, std::string_view file_name, std::string_view title) override;
  void focus_window(int unit) override;
  void initialise_fonts() override;
  void select_font(std::string_view options) override;
  FontInfo get_font_info() override;
  WindowSize query_window_size(int unit) override;
  void clear_screen(int area) override;
  void set_colour(int colour_index) override;
  void draw_rectangle(RectangleControl control, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                      std::int16_t y2) override;
  void set_viewport(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) override;
  void set_window_mapping(bool invert, double x1, double y1, double x2, double y2) override;
  void move_to(double x, double y) override;
  void line_to(double x, double y) override;
  void set_pixel(double x, double y) override;
  void draw_text(std::string_view text) override;
  void set_text_colour(int colour_index) override;
  void set_text_mode(int mode) override;

  // Returns when the user has closed the last window still on screen (at once when there
  // is none, or when the display is gone).
  void keep_windows_until_closed() override;

  bool windows_follow_resizes() const override { return resizes_followed_; }
  void follow_resizes(int unit, WindowSize laid_out_for, bool reused_window,
                      std::shared_ptr<const RedrawablePlot> plot) override;
  // The plot is drawn on the calling thread, apart from the window, which shows what it
  // showed until the new pixels take its place whole.
  bool replace_plot(int unit, std::shared_ptr<const RedrawablePlot> plot) override;
  WaitEnd keep_windows_while_waiting(int descriptor,
                                     std::optional<std::chrono::milliseconds> limit) override;
  bool write_png(int unit, std::string_view path, std::string& error) override {
    bool written = false;
    inspect([&](OffscreenWindows& windows) { written = windows.write_png(unit, path, error); });
    return written;
  }

  // Returns once everything drawn so far has reached the X server.
  void present();
  bool display_lost();
  // Known once the presenter has sent pixels: after present().
  bool pixels_in_shared_memory() const { return pixels_in_shared_memory_; }

  // What the presenter keeps of a window it shows.
  struct ShownWindow;

  // Runs inspect(surfaces) while no drawing or presentation can happen.
  template <typename Inspect>
  void inspect(Inspect&& inspect) {
    std::lock_guard guard(lock_);
    inspect(offscreen_);
  }

 private:
  struct Presenter;

  X11Windows(_XDisplay* display, ScreenSize screen, PixelTransfer transfer);
  void note_change() {
    if (!wake_sent_ && offscreen_.changed()) {
      wake_sent_ = true;
      wake_presenter();
    }
  }
  void wake_presenter();
  void run_presenter();
  void synchronise();
  void handle_events();
  // A window closed or destroyed: never shown or drawn again, and its plot let go.
  void forget_closed(int unit, ShownWindow& shown);
  // Sends what waits to be sent of the unit's window, read from its surface.
  void send_waiting_pixels(int unit, ShownWindow& shown);
  void mark_lost();
  // Tells the user, once, that the display went away, and that a window could not be
  // drawn again. Called on the program's own thread only: that thread may have standard
  // error diverted at the moment another thread notices the trouble (the PGPLOT layer
  // captures giza's messages that way).
  void report_troubles();
  static void on_connection_lost(_XDisplay* display, void* self);
  // Wakes keep_windows_while_waiting after a change of what it waits for (windows on
  // screen, the display lost, a redraw that failed); status_changed_ is notified as well.
  // Called with status_mutex_ held.
  void note_status_change();

  // Maps the unit's window once the lines owed before it are written.
  void show_withheld(int unit);

  void ask_for_redraw(int unit);
  void run_redrawer();
  // Draws the unit's window again at its present size, if it still needs it.
  void redraw(int unit);

  // Shared with the presenter and the redraw thread under lock_.
  SpinLock lock_;
  OffscreenWindows offscreen_;
  KeptPlots kept_;
  bool wake_sent_ = false;
  // False once the display is lost: nothing will be resized any more.
  std::atomic<bool> resizes_followed_{true};

  // Shared with the presenter under status_mutex_.
  std::mutex status_mutex_;
  std::condition_variable status_changed_;
  unsigned presents_requested_ = 0;
  unsigned presents_done_ = 0;
  int windows_on_screen_ = 0;
  bool windows_were_shown_ = false;  // a window has been on screen
  int status_pipe_[2] = {-1, -1};    // readable after a status change
  bool lost_ = false;
  bool stopping_ = false;
  std::atomic<bool> loss_unreported_{false};
  std::string redraw_failure_unreported_;  // which window could not be drawn again, and why

  // The presenter's own.
  std::unique_ptr<Presenter> presenter_;
  std::atomic<bool> pixels_in_shared_memory_{false};
  int wake_pipe_[2] = {-1, -1};
  std::thread thread_;

  // The windows waiting to be drawn again, shared with the redraw thread under
  // redraw_mutex_ (taken after lock_ where both are held).
  std::mutex redraw_mutex_;
  std::condition_variable redraw_asked_;
  std::set<int> redraw_units_;
  bool stopping_redraws_ = false;
  std::thread redrawer_;

  // Units whose windows the user closed, under lock_: never drawn again.
  std::set<int> closed_units_;
  // Units whose windows are drawn but not mapped yet, under lock_: lines the user reads
  // before them are still owed.
  std::set<int> withheld_units_;
  // Seen by what waits for those lines: it may outlive the windows.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace curvist
