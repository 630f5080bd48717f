#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The inputs of the page as its address carries them
// ("material=SiO2&energy=1000&angle=0"): names as tpp2m's options, values
// percent-encoded. The page adds the rows it read from the open database
// under dotted names ("material.density").
namespace korvane::page {

class PageQuery {
public:
    explicit PageQuery(std::string_view text);

    // The value given for a name, decoded; none when the name is absent.
    std::optional<std::string> value(const std::string& name) const;
    // As value, and an empty text counts as absent.
    std::optional<std::string> typed(const std::string& name) const;
    // Every value given for a name, decoded, in the order given: the inputs
    // that are given once per item ("layer=SiO2:15&layer=C:5").
    std::vector<std::string> values(const std::string& name) const;

private:
    std::map<std::string, std::vector<std::string>> values_;
};

} // namespace korvane::page
