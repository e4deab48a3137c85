#include "FilePlot.hpp"

#include "LoadStep.hpp"
#include "PreCheck.hpp"
#include "platform/Platform.hpp"
#include "text/Blanks.hpp"

namespace curvist {

Reasons reasons_for(const RunOptions& options) {
  return options.explain ? Reasons::asked : Reasons::unasked;
}

void plot_when_it_passes(std::string_view name, const RunOptions& options,
                         const std::function<void(FileText& text)>& plot,
                         const std::function<std::string()>& hint) {
  auto checked = pre_checked_text(name, reasons_for(options));
  if (checked)
    plot(*checked);
  else if (options.explain)
    explain_skipped(name, checked.why_not() + (hint ? hint() : std::string()));
}

std::optional<int> load_or_explain(FileText& text, std::string_view name, const RunOptions& options,
                                   std::optional<int> window_unit) {
  const auto outcome =
      LOADPLOTPACK::load_plot(text, name, std::nullopt, reasons_for(options), window_unit);
  if (!outcome.why_not.empty()) explain_skipped(name, outcome.why_not);
  return outcome.window_unit;
}

void explain_skipped(std::string_view name, std::string_view reason) {
  current_errors().write_line("curvist: skipped " + std::string(without_trailing_blanks(name)) +
                              ": " + std::string(reason));
}

}  // namespace curvist
