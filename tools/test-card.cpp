// Draws a test card through the window operations: a frame, lines in every direction,
// text in the Terminal and modern fonts and all 16 colours. Shown in a window until it is
// closed, or with --png FILE written as a picture instead.

#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "window/OffscreenWindows.hpp"
#include "window/ScreenWindows.hpp"

namespace {

using curvist::RectangleControl;

constexpr int card_width = 800;
constexpr int card_height = 600;

void draw_test_card(curvist::WindowOperations& windows) {
  constexpr int unit = 101;
  windows.open_window(unit, "USER", "Curvist test card");
  windows.focus_window(unit);
  windows.initialise_fonts();
  windows.clear_screen(0);
  windows.set_colour(5);
  windows.draw_rectangle(RectangleControl::outline, 1, 1, card_width, card_height);
  windows.set_colour(1);
  windows.draw_rectangle(RectangleControl::filled, 4, 4, card_width - 3, card_height - 3);

  // The 16 colours, each a labelled swatch.
  windows.select_font("t'Terminal'h12w8");
  for (int colour = 0; colour < 16; ++colour) {
    const int left = 20 + colour * 47;
    windows.set_colour(colour);
    windows.draw_rectangle(RectangleControl::filled, static_cast<std::int16_t>(left), 20,
                           static_cast<std::int16_t>(left + 40), 60);
    const bool light = colour == 7 || colour == 10 || colour == 11 || colour == 14 || colour == 15;
    windows.set_colour(light ? 0 : 15);
    windows.move_to(left + 12, 42);
    windows.draw_text(std::to_string(colour));
  }

  windows.set_viewport(20, 80, card_width - 20, card_height - 20);
  windows.set_window_mapping(true, -1.0, -1.0, 1.0, 1.0);
  windows.set_colour(7);
  windows.draw_rectangle(RectangleControl::outline, 0, 0, card_width - 40, card_height - 100);

  // A fan of lines from the centre, and a circle of single pixels around it.
  for (int ray = 0; ray < 48; ++ray) {
    const double angle = ray * 2 * M_PI / 48;
    windows.set_colour(9 + ray % 7);
    windows.move_to(0.0, 0.0);
    windows.line_to(0.45 * std::cos(angle), 0.6 * std::sin(angle));
  }
  windows.set_colour(15);
  for (int dot = 0; dot < 720; ++dot) {
    const double angle = dot * 2 * M_PI / 720;
    windows.set_pixel(0.5 * std::cos(angle), 0.67 * std::sin(angle));
  }

  // Axes with arrowheads, as a plot has them.
  windows.set_colour(14);
  windows.move_to(-0.95, -0.8);
  windows.line_to(0.95, -0.8);
  windows.line_to(0.93, -0.77);
  windows.move_to(0.95, -0.8);
  windows.line_to(0.93, -0.83);

  windows.select_font("t'modern'h14w9");
  windows.move_to(-0.95, 0.95);
  windows.draw_text("modern 14x9: 0123456789 ABCDEFGHIJ abcdefghij");
  windows.select_font("t'Terminal'h12w8");
  windows.move_to(-0.95, 0.85);
  windows.draw_text("Terminal 12x8: 0123456789 ABCDEFGHIJ abcdefghij");
  windows.select_font("t'Terminal'h24w16");
  windows.set_colour(10);
  windows.move_to(-0.95, -0.6);
  windows.draw_text("Curvist");
  windows.select_font("t'modern'h14w9");
  windows.set_colour(14);
  windows.move_to(0.55, -0.65);
  windows.draw_text("x (s)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--png") == 0) {
    curvist::OffscreenWindows windows;
    draw_test_card(windows);
    std::string error;
    if (!windows.write_png(101, argv[2], error)) {
      std::cerr << "test-card: cannot write " << argv[2] << ": " << error << '\n';
      return 1;
    }
    return 0;
  }
  if (argc != 1) {
    std::cerr << "usage: test-card [--png FILE]\n";
    return 2;
  }
  const auto windows = curvist::make_screen_windows();
  draw_test_card(*windows);
  windows->keep_windows_until_closed();
  return 0;
}
