#pragma once

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace korvane::python {

namespace py = pybind11;

using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

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
            arrays_[k] = DoubleArray::ensure(inputs[k]);
            if (!arrays_[k])
                throw py::value_error(std::string(names[k]) + ": \"" + py::str(inputs[k]).cast<std::string>()
                                      + "\" is not a number");
            allScalar_ = allScalar_ && arrays_[k].ndim() == 0;
        }
        broadcastShape();
        size_ = 1;
        for (const py::ssize_t extent : shape_)
            size_ *= extent;
        for (std::size_t k = 0; k < N; ++k) {
            const py::ssize_t own = arrays_[k].size();
            elementwise_ = elementwise_ && (own == size_ || own == 1);
            data_[k] = arrays_[k].data();
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
        std::string text = "(";
        for (std::size_t d = 0; d < index.size(); ++d)
            text += (d ? ", " : "") + std::to_string(index[d]);
        return text + (index.size() == 1 ? ",)" : ")");
    }

private:
    void broadcastShape()
    {
        py::ssize_t ndim = 0;
        for (const DoubleArray& a : arrays_)
            ndim = std::max(ndim, a.ndim());
        shape_.assign(std::size_t(ndim), 1);
        for (const DoubleArray& a : arrays_) {
            for (py::ssize_t d = 0; d < a.ndim(); ++d) {
                const py::ssize_t extent = a.shape(d);
                py::ssize_t& result = shape_[std::size_t(ndim - a.ndim() + d)];
                if (extent == 1 || extent == result)
                    continue;
                if (result != 1)
                    throw py::value_error("the shapes " + shapesText() + " cannot be broadcast together");
                result = extent;
            }
        }
        for (std::size_t k = 0; k < N; ++k) {
            const DoubleArray& a = arrays_[k];
            strides_[k].assign(std::size_t(ndim), 0);
            for (py::ssize_t d = 0; d < a.ndim(); ++d) {
                if (a.shape(d) != 1)
                    strides_[k][std::size_t(ndim - a.ndim() + d)] = a.strides(d) / py::ssize_t(sizeof(double));
            }
        }
    }

    std::string shapesText() const
    {
        std::string text;
        for (const DoubleArray& a : arrays_) {
            text += text.empty() ? "(" : " (";
            for (py::ssize_t d = 0; d < a.ndim(); ++d) {
                if (d > 0)
                    text += ',';
                text += std::to_string(a.shape(d));
            }
            text += a.ndim() == 1 ? ",)" : ")";
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

    std::array<DoubleArray, N> arrays_;
    std::array<const double*, N> data_{};
    std::array<py::ssize_t, N> step_{};               // 1 for an input as large as the result, 0 for a single value
    std::array<std::vector<py::ssize_t>, N> strides_; // in elements; 0 along a broadcast dimension
    std::vector<py::ssize_t> shape_;
    py::ssize_t size_ = 1;
    bool allScalar_ = true;
    bool elementwise_ = true; // each input is as large as the result or a single value
};

} // namespace korvane::python
