// The Python module curvist: the plotting operations over numpy arrays, through the
// library's C interface. float64 curves go to the DP operations, float32 ones (x and y
// both) to the SP ones, anything else is converted to float64; one curve is a 1-D array,
// several are the columns of a 2-D one. The interpreter's lock is released while the
// library draws, and every status but CURVIST_OK raises an exception.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include <curvist/curvist.h>

namespace py = pybind11;

namespace {

// The module's exceptions, made once and kept for the life of the interpreter.
PyObject* error_type = nullptr;
PyObject* not_plotted_type = nullptr;
PyObject* picture_not_written_type = nullptr;

void raise_for(curvist_status status) {
  if (status == CURVIST_OK) return;
  PyObject* type = error_type;
  if (status == CURVIST_BAD_ARGUMENTS) type = PyExc_ValueError;
  if (status == CURVIST_NOT_PLOTTED) type = not_plotted_type;
  if (status == CURVIST_PICTURE_NOT_WRITTEN) type = picture_not_written_type;
  PyErr_SetString(type, curvist_last_error());
  throw py::error_already_set();
}

// Runs a call of the C interface with the interpreter's lock released.
template <typename Call>
void draw(Call&& call) {
  curvist_status status = CURVIST_OK;
  {
    const py::gil_scoped_release released;
    status = call();
  }
  raise_for(status);
}

int flag(const std::optional<bool>& value) { return value ? int(*value) : CURVIST_DEFAULT; }
int number(const std::optional<int>& value) { return value ? *value : CURVIST_DEFAULT; }
const char* text(const std::optional<std::string>& value) {
  return value ? value->c_str() : nullptr;
}

std::string shape_text(const py::array& array) {
  std::string text = "(";
  for (py::ssize_t axis = 0; axis < array.ndim(); ++axis)
    text += std::to_string(array.shape(axis)) + (array.ndim() == 1 || axis == 1 ? "," : ", ");
  if (array.ndim() == 2) text.pop_back();
  return text + ")";
}

// x and y as the C interface takes them: column-major arrays of Element, of one shape.
template <typename Element>
struct Curves {
  using Array = py::array_t<Element, py::array::f_style | py::array::forcecast>;

  Curves(py::handle x_given, py::handle y_given)
      : x(py::reinterpret_borrow<py::object>(x_given)),
        y(py::reinterpret_borrow<py::object>(y_given)) {
    for (const auto& [name, array] : {std::pair{"x", &x}, std::pair{"y", &y}}) {
      if (array->ndim() != 1 && array->ndim() != 2)
        throw py::value_error(std::string(name) +
                              " must be a 1-D array (one curve) or a 2-D one (a curve in each "
                              "column), not " +
                              std::to_string(array->ndim()) + "-D");
    }
    // One x for every curve of y.
    if (x.ndim() == 1 && y.ndim() == 2 && x.shape(0) == y.shape(0)) {
      Array columns({y.shape(0), y.shape(1)});
      for (py::ssize_t column = 0; column < y.shape(1); ++column)
        for (py::ssize_t point = 0; point < y.shape(0); ++point)
          columns.mutable_at(point, column) = x.at(point);
      x = columns;
    }
    if (x.ndim() != y.ndim() || x.shape(0) != y.shape(0) ||
        (x.ndim() == 2 && x.shape(1) != y.shape(1)))
      throw py::value_error("x has the shape " + shape_text(x) + " and y " + shape_text(y) +
                            ": they must have the same shape");
    points = std::size_t(x.shape(0));
    curves = x.ndim() == 2 ? std::size_t(x.shape(1)) : 1;
  }

  Array x;
  Array y;
  std::size_t points = 0;
  std::size_t curves = 0;
};

bool float32_array(py::handle value) {
  return py::isinstance<py::array>(value) &&
         py::reinterpret_borrow<py::array>(value).dtype().char_() == 'f';
}

template <typename Element, typename Options>
using Operation = curvist_status (*)(const Element*, const Element*, std::size_t, std::size_t,
                                     const Options*);

// Draws the curves with `single` in 32-bit floats when x and y are both float32 arrays,
// else with `double_` in 64-bit ones.
template <typename Options>
void draw_curves(py::handle x, py::handle y, Operation<float, Options> single,
                 Operation<double, Options> double_, const Options& options) {
  if (float32_array(x) && float32_array(y)) {
    const Curves<float> curves(x, y);
    draw([&] {
      return single(curves.x.data(), curves.y.data(), curves.points, curves.curves, &options);
    });
  } else {
    const Curves<double> curves(x, y);
    draw([&] {
      return double_(curves.x.data(), curves.y.data(), curves.points, curves.curves, &options);
    });
  }
}

void plot(py::handle x, py::handle y, std::optional<bool> join, std::optional<bool> logx,
          std::optional<bool> logy, std::optional<int> resolution,
          std::optional<std::string> xlabel, std::optional<std::string> ylabel,
          std::optional<std::string> title, std::optional<bool> own_window,
          std::optional<bool> reuse_window) {
  curvist_screen_options options = curvist_screen_options_default();
  options.JOIN = flag(join);
  options.LOGX = flag(logx);
  options.LOGY = flag(logy);
  options.RESOLUTION = number(resolution);
  options.XLABEL = text(xlabel);
  options.YLABEL = text(ylabel);
  options.TITLE = text(title);
  options.OWNWINDOW = flag(own_window);
  options.REUSEWINDOW = flag(reuse_window);
  draw_curves(x, y, curvist_plotsp, curvist_plotdp, options);
}

void picture(py::handle x, py::handle y, std::optional<bool> join, std::optional<bool> logx,
             std::optional<bool> logy, std::optional<std::string> xlabel,
             std::optional<std::string> ylabel, std::optional<std::string> title,
             std::optional<std::filesystem::path> filename, std::optional<std::string> device) {
  const std::optional<std::string> file_name =
      filename ? std::optional(filename->string()) : std::nullopt;
  curvist_picture_options options = curvist_picture_options_default();
  options.JOIN = flag(join);
  options.LOGX = flag(logx);
  options.LOGY = flag(logy);
  options.XLABEL = text(xlabel);
  options.YLABEL = text(ylabel);
  options.TITLE = text(title);
  options.FILENAME = text(file_name);
  options.DEVICE = text(device);
  draw_curves(x, y, curvist_pgplotsp, curvist_pgplotdp, options);
}

void load_plot(const std::filesystem::path& name, std::optional<std::string> device) {
  const std::string file_name = name.string();
  curvist_load_options options = curvist_load_options_default();
  options.DEVICE = text(device);
  draw([&] { return curvist_loadplot(file_name.c_str(), &options); });
}

// A platform of the program's choice, for the length of a with statement.
class ChosenPlatform {
 public:
  explicit ChosenPlatform(const std::string& windows) {
    if (windows == "offscreen")
      windows_ = CURVIST_OFFSCREEN_WINDOWS;
    else if (windows != "screen")
      throw py::value_error("windows must be \"screen\" or \"offscreen\", not \"" + windows + "\"");
  }

  ChosenPlatform& enter() {
    if (platform_ != nullptr) throw py::value_error("this platform is in force already");
    platform_ = curvist_choose_platform(windows_, nullptr);
    if (platform_ == nullptr) raise_for(CURVIST_FAILED);
    return *this;
  }

  void exit(const py::args&) {
    curvist_platform* ending = platform_;
    platform_ = nullptr;
    draw([ending] { return curvist_end_platform(ending); });
  }

 private:
  curvist_plot_windows windows_ = CURVIST_SCREEN_WINDOWS;
  curvist_platform* platform_ = nullptr;
};

PyObject* new_exception(const char* name, PyObject* base, const char* doc) {
  PyObject* type = PyErr_NewExceptionWithDoc(name, doc, base, nullptr);
  if (type == nullptr) throw py::error_already_set();
  return type;
}

}  // namespace

PYBIND11_MODULE(curvist, module) {
  module.doc() =
      "Quick-look plots of curves: in a window of their own, laid out to its pixel size, "
      "and into picture files through PGPLOT (giza). x and y are numpy arrays of one "
      "shape: one curve as 1-D, curves as the columns of 2-D.";
  using namespace py::literals;

  error_type = new_exception("curvist.Error", PyExc_Exception, "The library could not plot.");
  not_plotted_type = new_exception(
      "curvist.NotPlotted", error_type,
      "Nothing was drawn: the values give an axis no range, or the data file was not read.");
  picture_not_written_type =
      new_exception("curvist.PictureNotWritten", error_type,
                    "The picture could not be written; one of that name from before is kept.");
  module.add_object("Error", py::handle(error_type));
  module.add_object("NotPlotted", py::handle(not_plotted_type));
  module.add_object("PictureNotWritten", py::handle(picture_not_written_type));

  module.def("plot", &plot, "x"_a, "y"_a, py::kw_only(), "join"_a = py::none(),
             "logx"_a = py::none(), "logy"_a = py::none(), "resolution"_a = py::none(),
             "xlabel"_a = py::none(), "ylabel"_a = py::none(), "title"_a = py::none(),
             "own_window"_a = py::none(), "reuse_window"_a = py::none(),
             "Draws the curves in a window (PLOTDP, PLOTSP). Without own_window=True the "
             "plot goes into the active window and waits for Enter.");
  module.def("picture", &picture, "x"_a, "y"_a, py::kw_only(), "join"_a = py::none(),
             "logx"_a = py::none(), "logy"_a = py::none(), "xlabel"_a = py::none(),
             "ylabel"_a = py::none(), "title"_a = py::none(), "filename"_a = py::none(),
             "device"_a = py::none(),
             "Draws the curves into a picture file (PGPLOTDP, PGPLOTSP): filename "
             "(\"Plot.ps\"), device \"ps\", \"vps\", \"png\", \"pdf\", \"svg\" or \"gif\".");
  module.def("load_plot", &load_plot, "name"_a, "device"_a = py::none(),
             "Reads a data file and draws its curves in a window of their own, then into a "
             "picture named after it (LOADPLOT).");
  module.def(
      "keep_windows_until_closed", [] { draw(curvist_keep_windows_until_closed); },
      "Keeps the plot windows shown until the user has closed them.");
  module.def("window_counter", &curvist_window_counter,
             "The unit of the last window a plot opened; 100 before the first.");
  module.def(
      "write_window_png",
      [](int unit, const std::filesystem::path& filename) {
        const std::string file_name = filename.string();
        draw([&] { return curvist_write_window_png(unit, file_name.c_str()); });
      },
      "unit"_a, "filename"_a, "Writes what the window of unit shows into a PNG file.");
  module.def("remove_temporary_files_on_interrupt", &curvist_remove_temporary_files_on_interrupt,
             "Has SIGINT, SIGTERM and SIGHUP, where still at their default action, remove "
             "the pictures being written before they end the program.");

  py::class_<ChosenPlatform>(module, "ChosenPlatform",
                             "Screen plots go to windows on the display (\"screen\") or are "
                             "drawn offscreen and never shown (\"offscreen\"), inside a with "
                             "statement; its windows are numbered from 101 again.")
      .def(py::init<const std::string&>(), "windows"_a = "screen")
      .def("__enter__", &ChosenPlatform::enter, py::return_value_policy::reference_internal)
      .def("__exit__", &ChosenPlatform::exit);
}
