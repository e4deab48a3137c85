#include "Run.hpp"

#include <string>

#include "Banner.hpp"
#include "FilePlot.hpp"
#include "ListFile.hpp"
#include "PgPlot.hpp"
#include "platform/PicturesInBackground.hpp"

namespace curvist {

int run_in_current_folder(const FilePlotter& plot, const RunOptions& options) {
  remove_temporary_files_on_interrupt();
  write_banner();
  const std::optional<ListFile> list_file = obtain_list_file();
  if (!list_file) return 1;

  RecordInput list{list_file->content};
  while (const auto name = read_next_name(list))
    plot_when_it_passes(
        *name, options, [&](FileText& text) { plot(*name, text); },
        [&] { return folder_name_hint(list, *name); });
  if (list_file->made_by_program) remove_list_file();
  return 0;
}

int run_with_pictures_in_background(const FilePlotter& plot, const RunOptions& options) {
  // The picture of one file is drawn while the next file is read and plotted on screen.
  const PicturesInBackground pictures;
  return run_in_current_folder(plot, options);
}

UnwrittenPictures::UnwrittenPictures() : before_(PGPLOTPACK::unwritten_pictures()) {}

int UnwrittenPictures::status() const {
  // Every other picture may be in place, but the run did not do what was asked.
  return PGPLOTPACK::unwritten_pictures() > before_ ? 1 : 0;
}

}  // namespace curvist
