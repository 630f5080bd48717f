#include "query/RunSize.h"

#include "query/TypedNumber.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

namespace {

Failed outsideLimit(const std::string& input, const WholeNumberLimit& limit)
{
    return Failed{input + " must be a whole number from " + std::to_string(limit.least) + " to "
                      + std::to_string(limit.most),
                  ErrorCode::OutOfRange};
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The whole number a text that reads as a decimal number denotes exactly,
// when it is one from 0 to 2^64 - 1; none for a fraction, a number below 0
// or one above.
std::optional<std::uint64_t> exactWholeNumber(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string digits;
    long long point = -1; // digits before the decimal point
    std::size_t i = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.')
            point = static_cast<long long>(digits.size());
        else
            digits += text[i];
    }
    if (point < 0)
        point = static_cast<long long>(digits.size());
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool down = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        long long exponent = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000LL);
        point += down ? -exponent : exponent;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0; // every digit 0, whatever the sign and the exponent
    if (negative || point <= static_cast<long long>(first))
        return std::nullopt;
    if (digits.find_first_not_of('0', static_cast<std::size_t>(std::min<long long>(point, digits.size())))
        != std::string::npos)
        return std::nullopt; // a fraction
    if (point - static_cast<long long>(first) > 20)
        return std::nullopt;
    std::uint64_t value = 0;
    for (long long d = static_cast<long long>(first); d < point; ++d) {
        const unsigned digit = d < static_cast<long long>(digits.size()) ? unsigned(digits[std::size_t(d)] - '0') : 0;
        if (value > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace

Result<std::uint64_t> readWholeNumber(const std::string& input, const std::string& text, const WholeNumberLimit& limit)
{
    if (const Result<double> number = readTypedNumber(input, text); !number)
        return number.failure();
    const std::optional<std::uint64_t> value = exactWholeNumber(text);
    if (!value || *value < limit.least || *value > limit.most)
        return outsideLimit(input, limit);
    return *value;
}

} // namespace korvane
