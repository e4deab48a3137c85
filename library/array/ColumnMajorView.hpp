#pragma once
// A two-dimensional array seen in column-major order, indexed (point, curve) from 0:
// column j holds curve j. It owns nothing; the caller keeps the storage alive.

#include <cassert>
#include <cstddef>
#include <span>
#include <type_traits>

namespace curvist {

template <typename Element>
class ColumnMajorView {
 public:
  ColumnMajorView() = default;
  ColumnMajorView(Element* data, std::size_t rows, std::size_t columns)
      : data_(data), rows_(rows), columns_(columns) {}

  // A view of mutable elements also serves where read-only ones are asked for.
  template <typename Other>
  requires std::is_same_v<const Other, Element> &&
      (!std::is_same_v<Other, Element>)ColumnMajorView(ColumnMajorView<Other> other)
      : data_(other.data()), rows_(other.rows()), columns_(other.columns()) {}

  std::size_t rows() const { return rows_; }
  std::size_t columns() const { return columns_; }
  std::size_t size() const { return rows_ * columns_; }
  Element* data() const { return data_; }

  Element& operator()(std::size_t row, std::size_t column) const {
    assert(row < rows_ && column < columns_);
    return data_[column * rows_ + row];
  }
  std::span<Element> column(std::size_t column) const {
    assert(column < columns_);
    return {data_ + column * rows_, rows_};
  }
  std::span<Element> elements() const { return {data_, size()}; }

 private:
  Element* data_ = nullptr;
  std::size_t rows_ = 0;
  std::size_t columns_ = 0;
};

}  // namespace curvist
