#include "plotfile/PlotFileName.hpp"

#include "text/Blanks.hpp"

namespace curvist {

std::string plot_file_name(std::string_view data_file_name, std::string_view device_type) {
  constexpr std::size_t replaced_characters = 4;
  const std::string_view name = without_trailing_blanks(data_file_name);
  const std::size_t base_length =
      name.size() > replaced_characters ? name.size() - replaced_characters : 0;
  std::string result(without_trailing_blanks(name.substr(0, base_length)));
  result.push_back('.');
  result.append(without_trailing_blanks(device_type));
  return result;
}

}  // namespace curvist
