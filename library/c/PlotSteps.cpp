// The steps the plot operations of both modules run around their drawing (PREPARESCREEN
// and KILLSCREEN of each) and the caption cleaning (PURGE), for C callers: the limits and
// texts checked, the captions lent as fields and given back.
#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include <curvist/PgPlot.hpp>
#include <curvist/Plot.hpp>
#include <curvist/text/Blanks.hpp>
#include <curvist/text/Utf8Text.hpp>
#include "c/CallBoundary.hpp"
#include "c/Outcomes.hpp"

namespace curvist::c_interface {
namespace {

template <typename Limit>
std::string limit_text(Limit value) {
  char digits[32];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Why the limits of one axis give no window to plot in; nothing when they give one. The
// screen's layout needs them rising; PGPLOT's world window runs either way.
template <typename Limit>
std::optional<Outcome> fault_of_limits(char axis, Limit low, Limit high, bool must_rise) {
  const std::string limits =
      std::string("the ") + axis + " limits, " + limit_text(low) + " to " + limit_text(high);
  if (!std::isfinite(low) || !std::isfinite(high)) return not_plotted(limits + ", are not finite");
  if (low == high) return not_plotted(limits + ", give no range to plot over");
  if (must_rise && low > high)
    return bad_arguments(limits + ", fall: the smaller one comes first on screen");
  return std::nullopt;
}

template <typename Limit>
std::optional<Outcome> fault_of_limits(Limit xmin, Limit xmax, Limit ymin, Limit ymax,
                                       bool must_rise) {
  if (auto fault = fault_of_limits('x', xmin, xmax, must_rise)) return fault;
  return fault_of_limits('y', ymin, ymax, must_rise);
}

// A caption the caller lends the screen's PREPARESCREEN: a NUL-terminated text in a
// buffer of `size` bytes, which gets the changed caption back.
struct CaptionBuffer {
  char* text;
  std::size_t size;
  std::string_view name;
};

std::optional<Outcome> fault_of_caption(const CaptionBuffer& caption) {
  const std::string name(caption.name);
  if (caption.text == nullptr) return bad_arguments("the " + name + " is a null pointer");
  if (std::memchr(caption.text, '\0', caption.size) == nullptr)
    return bad_arguments("the " + name + " has no NUL in its buffer of " +
                         std::to_string(caption.size) + " bytes");
  return std::nullopt;
}

// The changed caption without its trailing blanks, as much of it as the buffer holds with
// the NUL; cut between characters, as a text field cuts a longer value.
void give_back(const PLOTPACK::TextField120& field, const CaptionBuffer& caption) {
  const std::string_view text = field.trimmed();
  std::size_t kept = 0;
  for (std::size_t characters = 1;; ++characters) {
    const std::size_t bytes = bytes_of_leading_characters(text, characters);
    if (bytes == kept || bytes >= caption.size) break;
    kept = bytes;
  }
  std::memcpy(caption.text, text.data(), kept);
  caption.text[kept] = '\0';
}

std::optional<Outcome> fault_of_texts(
    std::initializer_list<std::pair<const char*, const char*>> texts) {
  for (const auto& [text, name] : texts)
    if (text == nullptr) return bad_arguments(std::string("the ") + name + " is a null pointer");
  return std::nullopt;
}

}  // namespace
}  // namespace curvist::c_interface

using namespace curvist;
using namespace curvist::c_interface;

extern "C" {

curvist_status curvist_plot_preparescreen(double* xmin, double* xmax, double* ymin, double* ymax,
                                          int JOIN, int LOGX, int LOGY, int RESOLUTION,
                                          char* x_caption, size_t x_caption_size, char* y_caption,
                                          size_t y_caption_size, char* title, size_t title_size,
                                          int OWNWINDOW, int REUSEWINDOW) {
  return guarded([&]() -> Outcome {
    if (xmin == nullptr || xmax == nullptr || ymin == nullptr || ymax == nullptr)
      return bad_arguments("a limit is a null pointer");
    const CaptionBuffer captions[] = {{x_caption, x_caption_size, "x caption"},
                                      {y_caption, y_caption_size, "y caption"},
                                      {title, title_size, "title"}};
    for (const auto& caption : captions)
      if (auto fault = fault_of_caption(caption)) return *fault;
    if (auto fault = fault_of_limits(*xmin, *xmax, *ymin, *ymax, true)) return *fault;
    PLOTPACK::TextField120 fields[] = {PLOTPACK::TextField120(x_caption),
                                       PLOTPACK::TextField120(y_caption),
                                       PLOTPACK::TextField120(title)};
    PLOTPACK::PREPARESCREEN(*xmin, *xmax, *ymin, *ymax, JOIN != 0, LOGX != 0, LOGY != 0, RESOLUTION,
                            fields[0], fields[1], fields[2], OWNWINDOW != 0, REUSEWINDOW != 0);
    for (std::size_t i = 0; i < std::size(fields); ++i) give_back(fields[i], captions[i]);
    return {};
  });
}

curvist_status curvist_plot_killscreen(int OWNWINDOW) {
  return guarded([&]() -> Outcome {
    PLOTPACK::KILLSCREEN(OWNWINDOW != 0);
    return {};
  });
}

curvist_status curvist_purge(char* text) {
  return guarded([&]() -> Outcome {
    if (text == nullptr) return bad_arguments("the text is a null pointer");
    PLOTPACK::PURGE(std::span(text, std::strlen(text)));
    return {};
  });
}

curvist_status curvist_pgplot_preparescreen(float xmin, float xmax, float ymin, float ymax,
                                            int JOIN, int LOGX, int LOGY, const char* x_caption,
                                            const char* y_caption, const char* title,
                                            const char* file_name, const char* device_type) {
  return guarded([&]() -> Outcome {
    if (auto fault = fault_of_texts({{x_caption, "x caption"},
                                     {y_caption, "y caption"},
                                     {title, "title"},
                                     {file_name, "file name"},
                                     {device_type, "device type"}}))
      return *fault;
    const std::size_t name_length = character_count(without_trailing_blanks(file_name));
    if (name_length > PGPLOTPACK::TextField80::length)
      return bad_arguments("the file name has " + std::to_string(name_length) +
                           " characters, and PREPARESCREEN takes at most " +
                           std::to_string(PGPLOTPACK::TextField80::length) +
                           ": cut, it would name another file");
    if (auto fault = fault_of_limits(xmin, xmax, ymin, ymax, false)) return *fault;
    using PGPLOTPACK::TextField80;
    PGPLOTPACK::PREPARESCREEN(xmin, xmax, ymin, ymax, JOIN != 0, LOGX != 0, LOGY != 0,
                              TextField80(x_caption), TextField80(y_caption), TextField80(title),
                              TextField80(file_name), TextField80(device_type));
    return {};
  });
}

curvist_status curvist_pgplot_killscreen(const char* file_name) {
  return guarded([&]() -> Outcome {
    if (file_name == nullptr) return bad_arguments("the file name is a null pointer");
    const int unwritten_before = PGPLOTPACK::unwritten_pictures();
    PGPLOTPACK::KILLSCREEN(file_name);
    return picture_written(unwritten_before);
  });
}

}  // extern "C"
