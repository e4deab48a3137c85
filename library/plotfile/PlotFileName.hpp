#pragma once
// The picture file named after a data file: the data-file name loses its last four
// characters (normally ".dat", whatever they are) and gains "." and the device type:
// sample.dat -> sample.ps, curve.data -> curve..ps, a.da -> .ps.

#include <string_view>

#include "text/TextField.hpp"

namespace curvist {

TextField<100> plot_file_name(std::string_view data_file_name, std::string_view device_type);

}  // namespace curvist
