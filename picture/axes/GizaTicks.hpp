#pragma once
// The tick interval PGBOX hands giza for one axis. For a tick of 0 giza picks a "round"
// interval of at most a fifth of the window itself, but takes one below 2e-30 for none at
// all: the axis of a window narrower than about 1e-29 (cross-sections in square
// centimetres, say) came out without ticks and without numbers. There the interval is
// picked here, the way giza picks it, and handed to giza as if the caller had chosen it.
// giza takes an interval of 1e-31 or less for 0 too: a window that would need one cannot
// be numbered by giza at all.

#include <optional>
#include <string_view>

namespace curvist {

struct AxisTicks {
  float interval;    // between major ticks, in world units; 0: giza picks
  int subdivisions;  // minor intervals per major one
};

// giza's round interval of a fifth of the window from `low` to `high`: what it picks where
// its characters leave room for no more numbers.
AxisTicks automatic_ticks(double low, double high);

// The ticks for giza of an axis with PGBOX's `options`, `interval` and `subdivisions`
// over the world window from `low` to `high`; nothing when giza cannot tick it.
std::optional<AxisTicks> ticks_for_giza(std::string_view options, float interval, int subdivisions,
                                        double low, double high);

}  // namespace curvist
