#pragma once

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvane::python {

namespace py = pybind11;

using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Reads one input as numbers; throws ValueError naming it when it is no
// numbers: text, None, a boolean, a date or a time span are refused rather
// than read as numbers. A Python float or int (not a bool) goes into
// `scalar`, without an array; any other input comes back as an array of Doubles.
std::optional<DoubleArray> numbersOf(py::handle input, const char* name, double* scalar);

// Inputs of one call broadcast against one another as NumPy broadcasts them:
// each a Python number or an array of any shape, read as Doubles. The inputs
// are held for the life of the object, so their elements can be read with
// the interpreter's lock released.
template <std::size_t N>
class Broadcast {
public:
    // `names` name the inputs in messages. Throws ValueError for an input
    // that is not numbers and for shapes that do not broadcast.
    Broadcast(const std::array<py::handle, N>& inputs, const std::array<const char*, N>& names)
    {
        for (std::size_t k = 0; k < N; ++k) {
            arrays_[k] = numbersOf(inputs[k], names[k], &scalars_[k]);
            if (!arrays_[k]) {
                data_[k] = &scalars_[k];
                continue;
            }
            const DoubleArray& array = *arrays_[k];
            data_[k] = array.data();
            allScalar_ = allScalar_ && array.ndim() == 0;
            shapes_[k].assign(array.shape(), array.shape() + array.ndim());
        }
        broadcastShape();
        size_ = 1;
        for (const py::ssize_t extent : shape_)
            size_ *= extent;
        for (std::size_t k = 0; k < N; ++k) {
            const py::ssize_t own = elementCount(shapes_[k]);
            elementwise_ = elementwise_ && (own == size_ || own == 1);
            step_[k] = own == 1 ? 0 : 1;
        }
    }

    const std::vector<py::ssize_t>& shape() const { return shape_; }
    py::ssize_t size() const { return size_; }

    // Every input a plain number (or a 0-d array): the call answers with a
    // NumPy scalar, as a NumPy function does.
    bool allScalar() const { return allScalar_; }

    // The N values of element `i` of the broadcast result, in C order.
    std::array<double, N> at(py::ssize_t i) const
    {
        std::array<double, N> values{};
        for (std::size_t k = 0; k < N; ++k)
            values[k] = data_[k][elementwise_ ? i * step_[k] : offset(k, i)];
        return values;
    }

    // The index of element `i` as NumPy writes it: "(2,)", "(1, 3)".
    std::string indexText(py::ssize_t i) const
    {
        std::vector<py::ssize_t> index(shape_.size());
        for (std::size_t d = shape_.size(); d-- > 0;) {
            index[d] = i % shape_[d];
            i /= shape_[d];
        }
        return shapeText(index);
    }

private:
    static py::ssize_t elementCount(const std::vector<py::ssize_t>& shape)
    {
        py::ssize_t count = 1;
        for (const py::ssize_t extent : shape)
            count *= extent;
        return count;
    }

    static std::string shapeText(const std::vector<py::ssize_t>& extents)
    {
        std::string text = "(";
        for (std::size_t d = 0; d < extents.size(); ++d)
            text += (d ? ", " : "") + std::to_string(extents[d]);
        return text + (extents.size() == 1 ? ",)" : ")");
    }

    void broadcastShape()
    {
        std::size_t ndim = 0;
        for (const std::vector<py::ssize_t>& own : shapes_)
            ndim = std::max(ndim, own.size());
        shape_.assign(ndim, 1);
        for (const std::vector<py::ssize_t>& own : shapes_) {
            for (std::size_t d = 0; d < own.size(); ++d) {
                py::ssize_t& result = shape_[ndim - own.size() + d];
                if (own[d] == 1 || own[d] == result)
                    continue;
                if (result != 1)
                    throw py::value_error("the shapes " + shapesText() + " cannot be broadcast together");
                result = own[d];
            }
        }
        // Strides in elements of a C-ordered array; 0 along a broadcast dimension.
        for (std::size_t k = 0; k < N; ++k) {
            const std::vector<py::ssize_t>& own = shapes_[k];
            strides_[k].assign(ndim, 0);
            py::ssize_t stride = 1;
            for (std::size_t d = own.size(); d-- > 0;) {
                if (own[d] != 1)
                    strides_[k][ndim - own.size() + d] = stride;
                stride *= own[d];
            }
        }
    }

    std::string shapesText() const
    {
        std::string text;
        for (const std::vector<py::ssize_t>& own : shapes_) {
            std::string one = shapeText(own);
            std::erase(one, ' ');
            text += (text.empty() ? "" : " ") + one;
        }
        return text;
    }

    // Where element `i` of the result lies in input `k`.
    py::ssize_t offset(std::size_t k, py::ssize_t i) const
    {
        py::ssize_t at = 0;
        for (std::size_t d = shape_.size(); d-- > 0;) {
            at += (i % shape_[d]) * strides_[k][d];
            i /= shape_[d];
        }
        return at;
    }

    std::array<std::optional<DoubleArray>, N> arrays_; // none for a Python number
    std::array<double, N> scalars_{};
    std::array<const double*, N> data_{};
    std::array<py::ssize_t, N> step_{};               // 1 for an input as large as the result, 0 for a single value
    std::array<std::vector<py::ssize_t>, N> shapes_;  // of each input; empty for a number
    std::array<std::vector<py::ssize_t>, N> strides_; // in elements; 0 along a broadcast dimension
    std::vector<py::ssize_t> shape_;
    py::ssize_t size_ = 1;
    bool allScalar_ = true;
    bool elementwise_ = true; // each input is as large as the result or a single value
};

} // namespace korvane::python
