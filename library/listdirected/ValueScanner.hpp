#pragma once
// The items of one list-directed READ statement, one after another: separators, null
// values, repeat counts and the slash handled, each value cut out of its record.

#include <cstdint>
#include <string>
#include <string_view>

#include "listdirected/Records.hpp"

namespace curvist {

enum class ItemKind { value, null, slash, end_of_file, malformed };

struct ListItem {
  ItemKind kind = ItemKind::end_of_file;
  std::string_view text;     // the value (or the malformed one); valid until the next item
  std::size_t position = 0;  // where the item stands in the text; its end at end of file
};

// Quoted values are taken apart only where the item is a text; for a number a quote is
// just a character that makes it no number.
enum class ItemType { number, text };

struct StatementScan {
  explicit StatementScan(RecordInput& statement_input) : input(statement_input) {}

  RecordInput& input;
  bool after_value = false;  // a comma now only separates, it is no null value
  std::int64_t repeats_left = 0;
  ListItem repeated;
  std::string unquoted;  // storage of a quoted text value with its doubled quotes undone
};

ListItem next_item(StatementScan& scan, ItemType type);

}  // namespace curvist
