#pragma once
// The plots kept to draw resized windows again: one for each window whose plot was laid
// out to its size, for as long as the window shows that plot and nothing else.
//
// Anything drawn into a window after its plot (a plot of fixed size, one drawn into the
// active window, any drawing call) makes the window keep its pixels from then on, as a
// window of a fixed-size plot does, and its kept plot is dropped: a redraw would lose
// what the user saw drawn there. The one exception is a plot laid out to the window that
// reuses it while it shows its kept plot, measured at the same size: it paints over the
// whole plot area of the one before, so the window then shows what that plot drawn
// afresh shows, and it takes the kept plot's place.
//
// Not thread-safe: the windows guard it with the lock they draw under.

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "window/RedrawablePlot.hpp"
#include "window/WindowOperations.hpp"
#include "window/WindowRedraw.hpp"
#include "window/WindowUnit.hpp"

namespace curvist {

class OffscreenWindows;

class KeptPlots {
 public:
  // Called when a plot has been drawn into the window of the unit (see
  // WindowOperations::follow_resizes). Plots that windows no longer show are dropped.
  void keep(int unit, const OffscreenWindows& windows, WindowSize laid_out_for, bool reused_window,
            std::shared_ptr<const RedrawablePlot> plot);

  // Called on every focus of a window: a plot that reuses a window focuses it first.
  void note_focus(int unit, const OffscreenWindows& windows);

  // The redraw the unit's window needs at its present client size, if any.
  std::optional<WindowRedraw> redraw_wanted(int unit, const OffscreenWindows& windows);

  // Puts the redrawn window's pixels and drawing state in the place of the window's,
  // unless the window changed since the redraw was asked for; whether it did. The
  // window keeps its caption, its client size and its place among the units; its
  // earlier pixels are left in `redrawn`, to be freed outside the lock.
  bool install(const WindowRedraw& redraw, OffscreenWindows& windows, WindowUnit& redrawn);

  // The kept plot of the unit's window and the view it shows (or is about to), while the
  // window shows that plot and nothing else and the plot can be explored.
  struct Explored {
    std::shared_ptr<const RedrawablePlot> plot;
    PlotView view;
    DrawingState drawing;  // the mapping of the pixels the window shows now
    int width = 0;         // its client size
    int height = 0;
  };
  std::optional<Explored> explored(int unit, const OffscreenWindows& windows) const;
  // The window of `plot` is to show `view` next, the view it showed kept for back_view();
  // whether it was still that plot's window.
  bool show_view(int unit, const RedrawablePlot& plot, const PlotView& view);
  // Back one view, or to the whole data; whether the view changed.
  bool back_view(int unit, bool to_whole_data);
  // The views of the unit's plot, the one shown last, for a plot that takes its place
  // to go on showing; empty while it shows the whole data.
  std::vector<PlotView> views(int unit) const;
  void set_views(int unit, std::vector<PlotView> views);

  // The window was closed for good, or no window can be resized any more.
  void forget(int unit);
  void forget_all();

  std::size_t count() const { return kept_.size(); }

 private:
  struct Kept {
    std::shared_ptr<const RedrawablePlot> plot;
    // The window's drawing version right after the plot (or its redraw) was drawn.
    unsigned drawing_version = 0;
    // The window's size in cells the plot was laid out for.
    WindowSize cells;
    // Focused while it showed the plot: a plot reusing the window may follow, and decides
    // when it is done.
    bool reuse_may_follow = false;
    // The views the user explored, the one shown last; none: the whole data.
    std::vector<PlotView> views;
    // Counts the changes of view; the redraw drawn last showed this one.
    unsigned view_version = 0;
    unsigned drawn_view_version = 0;
  };

  // The unit's kept plot, if its window shows it and nothing else.
  const Kept* shown_plot(int unit, const OffscreenWindows& windows) const;

  // Whether the window still shows the kept plot and nothing else.
  static bool shown(const Kept& kept, const OffscreenWindows& windows, int unit);

  std::map<int, Kept> kept_;
};

}  // namespace curvist
