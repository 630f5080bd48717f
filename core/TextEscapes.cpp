#include "core/TextEscapes.h"

#include <algorithm>

namespace korvane::text {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendUnicodeEscape(std::string& out, unsigned code)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHexDigits[(code >> shift) & 0xFu];
}

unsigned byteAt(std::string_view text, size_t i)
{
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
}

// A byte that may begin something appendOneLineText changes: a control
// character of one byte, or the first byte of U+0080 to U+009F (C2) or of
// U+2028 and U+2029 (E2).
bool mayNeedEscape(unsigned c)
{
    return c < 0x20 || c == 0x7F || c == 0xC2 || c == 0xE2;
}

// Whether any byte of `text` is one that `test` looks for. A loop the
// compiler keeps inline: the texts are short and many (a cell of each row).
template <typename Test>
bool holdsAny(std::string_view text, Test test)
{
    return std::any_of(text.begin(), text.end(), [&](char c) { return test(static_cast<unsigned char>(c)); });
}

// appendOneLine, a quote written twice with `doubleQuotes` (inside a quoted
// CSV cell). Most texts hold nothing to change and go in whole.
void appendOneLineText(std::string& out, std::string_view text, bool doubleQuotes)
{
    if (!holdsAny(text, [&](unsigned c) { return mayNeedEscape(c) || (doubleQuotes && c == '"'); })) {
        out.append(text);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned c = byteAt(text, i);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            appendUnicodeEscape(out, c);
        } else if (c == 0xC2 && byteAt(text, i + 1) >= 0x80 && byteAt(text, i + 1) <= 0x9F) {
            appendUnicodeEscape(out, byteAt(text, i + 1)); // U+0080 to U+009F: the second byte is the code
            i += 1;
        } else if (c == 0xE2 && byteAt(text, i + 1) == 0x80
                   && (byteAt(text, i + 2) == 0xA8 || byteAt(text, i + 2) == 0xA9)) {
            appendUnicodeEscape(out, 0x2000u | (byteAt(text, i + 2) & 0x3Fu)); // U+2028, U+2029
            i += 2;
        } else {
            if (doubleQuotes && c == '"')
                out += '"';
            out += static_cast<char>(c);
        }
    }
}

void appendQuotedCell(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

void appendOneLine(std::string& out, std::string_view text)
{
    appendOneLineText(out, text, false);
}

std::string oneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    appendOneLine(line, text);
    return line;
}

void appendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xFu];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendCsvCell(std::string& out, std::string_view text, CsvQuoting quoting)
{
    if (quoting == CsvQuoting::Report) {
        const bool quoted = holdsAny(text, [](unsigned c) { return c == ',' || c == '"'; });
        if (quoted)
            out += '"';
        appendOneLineText(out, text, quoted);
        if (quoted)
            out += '"';
        return;
    }
    const bool quoted = text.empty() || text.front() == ' ' || text.back() == ' '
        || holdsAny(text, [](unsigned c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    if (quoted)
        appendQuotedCell(out, text);
    else
        out.append(text);
}

} // namespace korvane::text
