#include "web/PageQuery.h"

namespace korvane::page {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "%C3%85" as the bytes it stands for, '+' as a blank; a '%' not followed by
// two hexadecimal digits stays as it is.
std::string decoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0
                   && hexDigit(text[i + 2]) >= 0) {
            out += char(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

PageQuery::PageQuery(std::string_view text)
{
    if (!text.empty() && text.front() == '?')
        text.remove_prefix(1);
    while (!text.empty()) {
        const std::size_t end = text.find('&');
        const std::string_view pair = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (pair.empty())
            continue;
        const std::size_t equals = pair.find('=');
        const std::string name = decoded(pair.substr(0, equals));
        values_[name].push_back(equals == std::string_view::npos ? std::string() : decoded(pair.substr(equals + 1)));
    }
}

std::optional<std::string> PageQuery::value(const std::string& name) const
{
    // The first value of a name counts, as the address bar shows it first.
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return found->second.front();
}

std::vector<std::string> PageQuery::values(const std::string& name) const
{
    const auto found = values_.find(name);
    return found == values_.end() ? std::vector<std::string>() : found->second;
}

std::optional<std::string> PageQuery::typed(const std::string& name) const
{
    std::optional<std::string> text = value(name);
    if (text && text->find_first_not_of(" \t") == std::string::npos)
        return std::nullopt;
    return text;
}

} // namespace korvane::page
