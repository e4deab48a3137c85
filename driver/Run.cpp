#include "Run.hpp"

#include <string>

#include "Banner.hpp"
#include "ListFile.hpp"
#include "PreCheck.hpp"
#include "SkippedFile.hpp"

namespace curvist {

int run_in_current_folder(const std::function<void(std::string_view name)>& plot,
                          const RunOptions& options) {
  remove_temporary_files_on_interrupt();
  write_banner();
  const std::optional<ListFile> list_file = obtain_list_file();
  if (!list_file) return 1;

  RecordInput list{list_file->content};
  while (const auto name = read_next_name(list)) {
    const auto checked =
        passes_pre_check(*name, options.explain ? Reasons::asked : Reasons::unasked);
    if (checked)
      plot(*name);
    else if (options.explain)
      explain_skipped(*name, checked.why_not() + folder_name_hint(list, *name));
  }
  if (list_file->made_by_program) remove_list_file();
  return 0;
}

}  // namespace curvist
