#pragma once

#include "query/RequestReader.h"
#include "web/PageQuery.h"

#include <initializer_list>
#include <string>
#include <string_view>

// The page's inputs as the request reader takes them: the address's names
// are tpp2m's option names already; the page's form writes the relativistic
// form as "yes", tpp2m as the option alone. The page names an input in its
// words by its field's label.
namespace korvane::page {

// "band gap" for gap, "core level" for line: the field's label as a sentence
// names it, without its unit.
std::string pageSpelling(std::string_view name);

// The inputs given once per item, as tpp2m takes its options of those names
// again and again ("layer=SiO2:15&layer=C:5"): every value counts.
bool isRepeatedInput(std::string_view name);

// The inputs among `names` that the address gives (blank ones are not
// given), in that order, as named texts; a repeated input's values in
// the order given.
NamedTexts pageInputs(const PageQuery& query, std::initializer_list<const char*> names);

// The request of those inputs, judged for `use`, refused in the page's words.
Result<Request> readPageRequest(const PageQuery& query, std::initializer_list<const char*> names,
                                const RequestUse& use);

} // namespace korvane::page
