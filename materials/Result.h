#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace korvane {

// Why an operation failed, in words for the user. It converts to a failed
// Result of any type, so a function can `return Failed{reason};`.
struct Failed {
    QString reason;
};

// What a fallible operation gives: its value, or the reason it failed.
// Tested like a pointer (`if (!result)`), and read with * and ->.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failed failed) : error_(std::move(failed.reason)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when the operation succeeded.
    const QString& error() const { return error_; }

private:
    std::optional<T> value_;
    QString error_;
};

// The result of an operation that gives nothing but success or a reason.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failed failed) : error_(std::move(failed.reason)), ok_(false) {}

    explicit operator bool() const { return ok_; }
    const QString& error() const { return error_; }

private:
    QString error_;
    bool ok_ = true;
};

} // namespace korvane
