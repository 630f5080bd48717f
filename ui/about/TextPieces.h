#pragma once

#include <QString>

#include <span>

namespace korvane::ui {

// What stands between one piece of an information text and the next.
enum class Then {
    Break,     // one line break
    Blank,     // an empty line
    TwoBlanks, // two empty lines
    None,      // the next piece goes on on the same line
    End,       // the text ends here
};

struct TextPiece {
    const char* text; // UTF-8
    Then then;
};

// The pieces in order, each followed by its separator; line breaks are
// carriage return and line feed.
QString joinPieces(std::span<const TextPiece> pieces);

} // namespace korvane::ui
