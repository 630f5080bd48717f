#include "lines/BindingEnergy.h"

#include <xraylib.h>

namespace korvane::lines {

namespace {

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

} // namespace

std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level)
{
    XrlError error;
    const double keV = EdgeEnergy(atomicNumber, level.shell, error.out());
    if (error.failed() || !(keV > 0))
        return std::nullopt;
    return keV * 1000;
}

} // namespace korvane::lines
