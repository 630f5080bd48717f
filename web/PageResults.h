#pragma once

#include "web/PageQuery.h"

#include <string>
#include <vector>

// Everything the page shows for its inputs, computed by the program's own
// code: each result with its id on the page, the text the desktop window
// shows for it and the full-precision value that tpp2m --json prints; the
// errors and notes in the desktop's words.
namespace korvane::page {

struct ShownResult {
    std::string id;    // "imfp", "cf1", ...
    std::string text;  // "15.45 Å"
    std::string value; // "15.448975"
};

struct PageResults {
    std::vector<ShownResult> shown;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
};

PageResults evaluatePage(const PageQuery& query);

// {"shown":[{"id":..,"text":..,"value":..}],"errors":[..],"notes":[..]}; the curve comes apart (PageCurve.h).
std::string resultsJson(const PageResults& results);

} // namespace korvane::page
