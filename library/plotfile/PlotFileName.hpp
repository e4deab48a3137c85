#pragma once
// The picture file named after a data file: the data-file name loses its last four
// characters (normally ".dat", whatever they are) and gains "." and the device type:
// sample.dat -> sample.ps, curve.data -> curve..ps, a.da -> .ps. The name is never cut to
// a field's length, however long: cut, it could name another file, the data file itself
// among them.

#include <string>
#include <string_view>

namespace curvist {

std::string plot_file_name(std::string_view data_file_name, std::string_view device_type);

}  // namespace curvist
