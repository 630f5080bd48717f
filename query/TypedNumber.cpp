#include "query/TypedNumber.h"

#include "core/NumberText.h"
#include "query/TypedNumberWords.h"

#include <cctype>
#include <cmath>
#include <string_view>

namespace korvane {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Whether the text is written as a decimal number (blanks around it, a sign,
// digits with at most one point, an exponent), and whether its digits before
// the exponent hold one that is not 0.
struct Written {
    bool asNumber = false;
    bool nonZero = false;
};

Written writtenForm(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    Written written;
    size_t i = 0, digits = 0;
    bool point = false;
    for (; i < text.size() && (isDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        ++digits;
        written.nonZero = written.nonZero || text[i] != '0';
    }
    if (digits == 0)
        return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return {};
    }
    written.asNumber = i == text.size();
    return written;
}

} // namespace

Result<double> readTypedNumber(const std::string& input, const std::string& text)
{
    const Written written = writtenForm(text);
    const std::optional<double> value = numbers::readDouble(text);
    if (value && (*value != 0 || !written.nonZero))
        return *value;
    if (written.asNumber)
        return Failed{outOfRange(input, text), ErrorCode::OutOfRange};
    return Failed{notANumber(input, text), ErrorCode::InvalidInput};
}

Result<float> readTypedSingle(const std::string& input, const std::string& text)
{
    const Result<double> value = readTypedNumber(input, text);
    if (!value)
        return value.failure();
    const float single = static_cast<float>(*value);
    if (std::isinf(single) || (single == 0 && *value != 0))
        return Failed{outOfRange(input, text), ErrorCode::OutOfRange};
    return single;
}

} // namespace korvane
