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

std::optional<int> atomicNumber(std::string_view symbol)
{
    const std::string text(symbol);
    XrlError error;
    const int z = SymbolToAtomicNumber(text.c_str(), error.out());
    if (error.failed() || z < kFirstElement || z > kLastElement)
        return std::nullopt;
    return z;
}

std::string elementSymbol(int atomicNumber)
{
    XrlError error;
    char* symbol = AtomicNumberToSymbol(atomicNumber, error.out());
    if (error.failed() || !symbol)
        return {};
    std::string text(symbol);
    xrlFree(symbol);
    return text;
}

std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level)
{
    XrlError error;
    const double keV = EdgeEnergy(atomicNumber, level.shell, error.out());
    if (error.failed() || !(keV > 0))
        return std::nullopt;
    return keV * 1000;
}

} // namespace korvane::lines
