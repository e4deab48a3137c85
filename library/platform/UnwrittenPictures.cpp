#include "platform/UnwrittenPictures.hpp"

#include <utility>

namespace curvist {
namespace {

int count = 0;
std::string why_last;

}  // namespace

void note_unwritten_picture(std::string why) {
  ++count;
  why_last = std::move(why);
}

int unwritten_picture_count() { return count; }

std::string why_last_picture_unwritten() { return why_last; }

}  // namespace curvist
