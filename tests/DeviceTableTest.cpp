#include "devices/DeviceTable.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace curvist {
namespace {

// The error message for an unknown type names exactly the types that are drawn.
TEST(DeviceTable, NamesEveryTypeItDrawsAndNoOther) {
  EXPECT_EQ(known_device_types(), "ps, vps, cps, vcps, pdf, vpdf, svg, png, gif, vgif");
  std::istringstream names(known_device_types());
  for (std::string name; std::getline(names >> std::ws, name, ',');) {
    const DeviceKind* kind = find_device_kind(name);
    ASSERT_NE(kind, nullptr) << name;
    EXPECT_EQ(kind->type, name);
  }
  EXPECT_EQ(find_device_kind("PS"), nullptr) << "types are matched in lower case";
  EXPECT_EQ(find_device_kind("jpeg"), nullptr);
}

TEST(DeviceTable, GifIsDrawnAsPngAtPgplotsSizeAndColours) {
  const DeviceKind& gif = *find_device_kind("gif");
  EXPECT_EQ(gif.giza_device, "/png");
  EXPECT_EQ(gif.picture_extension, ".gif");
  EXPECT_TRUE(gif.written_as_gif && gif.pgplot_gif_colours && gif.single_page);
  EXPECT_FALSE(gif.monochrome);
  EXPECT_EQ(gif.width_pixels, 850);
  EXPECT_EQ(gif.height_pixels, 680);
  const DeviceKind& portrait = *find_device_kind("vgif");
  EXPECT_EQ(portrait.width_pixels, 680);
  EXPECT_EQ(portrait.height_pixels, 850);
  // Only PGPLOT's own PostScript devices are monochrome; the colour ones are cps, vcps.
  EXPECT_TRUE(find_device_kind("ps")->monochrome && find_device_kind("vps")->monochrome);
  EXPECT_FALSE(find_device_kind("cps")->monochrome || find_device_kind("vcps")->monochrome);
  EXPECT_FALSE(find_device_kind("ps")->written_as_gif || find_device_kind("ps")->single_page);
}

}  // namespace
}  // namespace curvist
