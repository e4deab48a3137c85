#pragma once
// The smallest and largest value of an array, searched the way both plotters take their
// limits: from the largest finite value of the element type (its negative for the
// largest); the first value taken replaces the start value whatever it is, every later
// one only when it is strictly beyond. Only the values `taken` accepts are looked at (the
// finite ones, say: a missing value is no limit). An empty search keeps the start values.

#include <cstddef>
#include <limits>
#include <span>

namespace curvist {

template <typename Element>
struct Extremes {
  Element smallest;
  Element largest;
  std::size_t count = 0;  // how many values were taken
};

template <typename Element, typename Taken>
Extremes<Element> extremes(std::span<const Element> values, Taken taken) {
  Extremes<Element> found{std::numeric_limits<Element>::max(),
                          -std::numeric_limits<Element>::max()};
  for (const Element value : values) {
    if (!taken(value)) continue;
    if (found.count++ == 0) {
      found.smallest = found.largest = value;
    } else {
      if (value < found.smallest) found.smallest = value;
      if (value > found.largest) found.largest = value;
    }
  }
  return found;
}

}  // namespace curvist
