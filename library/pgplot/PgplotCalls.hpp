#pragma once
// The PGPLOT calls, listed once. The interface (PgplotInterface.hpp) gives each call its
// parameters; this list gives it its number in frames, its place here from 1, and its
// name in traces. Whatever passes the calls on follows from the two: the frames a call
// is sent as and the call a frame makes (PictureStream), what the proxy sends
// (RemotePgplot), the recorder's trace lines (RecordingPgplot). A class that takes the
// calls overrides every one of the interface or cannot be made, and passes a call on by
// its number here, with the values its parameters take.
//
// A call's parameters are whole numbers (int), real numbers (float) and texts
// (std::string_view), and points: x and y (two std::span<const float> of the same size),
// which come first.

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

#include "pgplot/PgplotInterface.hpp"

#define CURVIST_PGPLOT_CALLS(CALL) \
  CALL(PGBEG)                      \
  CALL(PGSLW)                      \
  CALL(PGSCH)                      \
  CALL(PGPAGE)                     \
  CALL(PGVSTD)                     \
  CALL(PGSWIN)                     \
  CALL(PGSCR)                      \
  CALL(PGBOX)                      \
  CALL(PGLAB)                      \
  CALL(PGSLS)                      \
  CALL(PGLINE)                     \
  CALL(PGPT)                       \
  CALL(PGEND)

namespace curvist {

enum class PgplotCall : std::uint32_t {
  none = 0,  // no call: a frame that starts with it makes none
#define CURVIST_PGPLOT_CALL_NUMBER(call) call,
  CURVIST_PGPLOT_CALLS(CURVIST_PGPLOT_CALL_NUMBER)
#undef CURVIST_PGPLOT_CALL_NUMBER
  // Not PGPLOT's: the folder that relative picture names start from, the caller's
  // current folder when it begins a picture.
  working_folder = 100,
};

// A call's entry: the interface's function that makes it, and its name.
template <PgplotCall call>
struct PgplotCallEntry;
#define CURVIST_PGPLOT_CALL_ENTRY(call)             \
  template <>                                       \
  struct PgplotCallEntry<PgplotCall::call> {        \
    static constexpr auto function = &Pgplot::call; \
    static constexpr std::string_view name = #call; \
  };
CURVIST_PGPLOT_CALLS(CURVIST_PGPLOT_CALL_ENTRY)
#undef CURVIST_PGPLOT_CALL_ENTRY

// A call's shape, from its function: what it gives back, and whether it has points.
template <typename Function>
struct PgplotCallShape;
template <typename Result, typename... Values>
struct PgplotCallShape<Result (Pgplot::*)(Values...)> {
  using result = Result;
  static constexpr bool has_points = false;
};
template <typename Result, typename... Values>
struct PgplotCallShape<Result (Pgplot::*)(std::span<const float>, std::span<const float>,
                                          Values...)> {
  using result = Result;
  static constexpr bool has_points = true;
};

template <PgplotCall call>
using PgplotCallResult = typename PgplotCallShape<
    std::remove_const_t<decltype(PgplotCallEntry<call>::function)>>::result;

template <PgplotCall call>
inline constexpr bool pgplot_call_has_points =
    PgplotCallShape<std::remove_const_t<decltype(PgplotCallEntry<call>::function)>>::has_points;

// Whether the caller waits for the call's result (PGBEG's status, PGEND's outcome).
template <PgplotCall call>
inline constexpr bool pgplot_call_answered = !std::is_void_v<PgplotCallResult<call>>;

// Runs `use.template operator()<call>()` for the call of the list numbered `number`
// (a lambda's template<PgplotCall call>); nothing for a number that is none of them.
template <typename Use>
void with_pgplot_call(PgplotCall number, Use&& use) {
  switch (number) {
#define CURVIST_PGPLOT_CALL_CASE(call)           \
  case PgplotCall::call:                         \
    use.template operator()<PgplotCall::call>(); \
    return;
    CURVIST_PGPLOT_CALLS(CURVIST_PGPLOT_CALL_CASE)
#undef CURVIST_PGPLOT_CALL_CASE
    default:
      return;
  }
}

}  // namespace curvist
