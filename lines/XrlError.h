#pragma once

#include <xraylib.h>

namespace korvane::lines {

// xraylib reports a failure through its error argument (and keeps quiet
// then); the message is not needed, only that there was one.
class XrlError {
public:
    XrlError() = default;
    XrlError(const XrlError&) = delete;
    XrlError& operator=(const XrlError&) = delete;
    ~XrlError()
    {
        if (error_)
            xrl_error_free(error_);
    }
    xrl_error** out() { return &error_; }
    bool failed() const { return error_ != nullptr; }

private:
    xrl_error* error_ = nullptr;
};

} // namespace korvane::lines
