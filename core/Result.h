#pragma once

#include <optional>
#include <string>
#include <utility>

namespace korvane {

// What kind of failure a result carries, for callers that act on the kind
// rather than on the words: a front end that turns "no physical value" into
// NaN, an exit status, a test.
enum class ErrorCode {
    Failed,          // anything not named below
    InvalidInput,    // the input is wrong as input: not a number, 0 or below where only above 0 exists
    OutOfRange,      // a number too large or too small to be held or stored
    NoPhysicalValue, // valid inputs for which the formula has no physical value
    NotFound,        // no material, level or line of that name
    Ambiguous,       // a name that reaches more than one thing
    Storage,         // the database or a file could not be read or written
};

// Why an operation failed, in words for the user (UTF-8), and of what kind.
// It converts to a failed Result of any type, so a function can
// `return Failed{reason};`.
struct Failed {
    std::string reason;
    ErrorCode code = ErrorCode::Failed;
};

// What a fallible operation gives: its value, or the reason it failed.
// Tested like a pointer (`if (!result)`), and read with * and ->.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failed failed) : failure_(std::move(failed)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when the operation succeeded.
    const std::string& error() const { return failure_.reason; }
    ErrorCode code() const { return failure_.code; }
    // The failure as it came, to pass on: `return result.failure();`.
    const Failed& failure() const { return failure_; }

private:
    std::optional<T> value_;
    Failed failure_;
};

// The result of an operation that gives nothing but success or a reason.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failed failed) : failure_(std::move(failed)), ok_(false) {}

    explicit operator bool() const { return ok_; }
    const std::string& error() const { return failure_.reason; }
    ErrorCode code() const { return failure_.code; }
    const Failed& failure() const { return failure_; }

private:
    Failed failure_;
    bool ok_ = true;
};

} // namespace korvane
