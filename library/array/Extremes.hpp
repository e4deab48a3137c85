#pragma once
// The smallest and largest value of an array, searched the way both plotters take their
// limits: from the largest finite value of the element type (its negative for the
// largest); the first value taken replaces the start value whatever it is, every later
// one only when it is strictly beyond. With skip_zeros the zeros are not looked at (the
// limits of a logarithmic axis). An empty search keeps the start values.

#include <limits>
#include <span>

namespace curvist {

template <typename Element>
struct Extremes {
  Element smallest;
  Element largest;
};

template <typename Element>
Extremes<Element> extremes(std::span<const Element> values, bool skip_zeros = false) {
  Element smallest = std::numeric_limits<Element>::max();
  Element largest = -std::numeric_limits<Element>::max();
  bool first = true;
  for (const Element value : values) {
    if (skip_zeros && value == 0) continue;
    if (first) {
      smallest = largest = value;
      first = false;
    } else {
      if (value < smallest) smallest = value;
      if (value > largest) largest = value;
    }
  }
  return {smallest, largest};
}

}  // namespace curvist
