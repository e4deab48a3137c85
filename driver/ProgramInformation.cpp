#include "ProgramInformation.hpp"

#include "ReadmeLocation.hpp"

namespace curvist {

std::string usage_text() {
  return "Usage: curvist [--explain]\n"
         "       curvist --watch [--explain]\n"
         "       curvist --help | --version\n"
         "\n"
         "Plots every data file of the current folder: each on screen, in a window of its\n"
         "own, and into a PostScript picture beside it (sample.dat gives sample.ps).\n"
         "\n"
         "The files plotted are those named in Curvist.par, one name per line. Without\n"
         "that file, curvist lists the folder's *.dat files itself and removes the list\n"
         "when it is done. Files that do not hold curves are skipped without a message,\n"
         "unless --explain is given.\n"
         "\n"
         "A data file holds minus the number of curves K, the number of points N, then\n"
         "K times N lines of x and y, then the x caption, the y caption and the title.\n"
         "\n"
         "  --explain   say on standard error why each skipped file was not plotted\n"
         "  --watch     after the run, draw a file again whenever it changes, and plot\n"
         "              new data files, until the last window is closed or Ctrl-C\n"
         "  -h, --help  show this text\n"
         "  --version   show the version\n"
         "\n"
         "Other arguments are not used. An unknown option ends the program with status 2.\n"
         "\n"
         "More: file://" +
         readme_of_this_program().string() + "\n";
}

std::string arguments_not_used_text() {
  return "curvist: arguments are not used: curvist plots every data file of the current "
         "folder, or the files its Curvist.par lists\n";
}

std::string version_text() { return "curvist " CURVIST_VERSION "\n"; }

}  // namespace curvist
