#include "query/ChemicalFormula.h"

#include "core/NumberText.h"

namespace korvane {

namespace {

// Adds `count` atoms of `symbol`, keeping the order of first appearance.
void add(std::vector<ElementCount>& elements, const std::string& symbol, double count)
{
    for (ElementCount& element : elements) {
        if (element.symbol == symbol) {
            element.count += count;
            return;
        }
    }
    elements.push_back({symbol, count});
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of a UTF-8 text in UTF-16 units, as a text field counts it.
std::size_t utf16Length(const std::string& text)
{
    std::size_t units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isContinuation(byte))
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// The code points of a UTF-8 text, for the test of blanks.
std::vector<char32_t> codePoints(const std::string& text)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isContinuation(byte))
            points.back() = (points.back() << 6) | (byte & 0x3F);
        else if (points.push_back(byte); byte >= 0xC0)
            points.back() = byte & (byte >= 0xF0 ? 0x07 : byte >= 0xE0 ? 0x0F : 0x1F);
    }
    return points;
}

// Blanks as text fields trim them: the ASCII controls \t to \r, and the
// Unicode separators.
bool isBlank(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool onlyBlanks(const std::string& text)
{
    for (const char32_t c : codePoints(text))
        if (!isBlank(c))
            return false;
    return true;
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A recursive-descent reader over the formula text; the first error ends it.
// It reads only ASCII, so up to any error a byte is one UTF-16 unit.
class FormulaReader {
public:
    explicit FormulaReader(const std::string& text) : text_(text) {}

    Result<std::vector<ElementCount>> read()
    {
        if (onlyBlanks(text_))
            return Failed{"the formula is empty", ErrorCode::InvalidInput};
        if (utf16Length(text_) > kMaxFormulaLength)
            return Failed{"the formula is longer than " + std::to_string(kMaxFormulaLength) + " characters",
                          ErrorCode::InvalidInput};
        std::vector<ElementCount> elements = sequence();
        if (error_.empty() && pos_ < text_.size())
            fail(text_[pos_] == ')' ? "\")\" " + where() + " has no matching \"(\"" : unexpected());
        if (!error_.empty())
            return Failed{error_, ErrorCode::InvalidInput};
        return elements;
    }

private:
    // Elements and groups up to the end of the text or a closing parenthesis.
    std::vector<ElementCount> sequence()
    {
        std::vector<ElementCount> elements;
        while (error_.empty() && pos_ < text_.size() && text_[pos_] != ')') {
            if (text_[pos_] == '(') {
                for (const ElementCount& element : group())
                    add(elements, element.symbol, element.count);
            } else if (isUpper(text_[pos_])) {
                const std::string symbol = elementSymbol();
                add(elements, symbol, count());
            } else {
                fail(unexpected());
            }
        }
        return elements;
    }

    // "(" sequence ")" count: the group's atoms times its count.
    std::vector<ElementCount> group()
    {
        const std::size_t open = pos_;
        if (depth_ == kMaxFormulaNesting) {
            fail("parentheses nested deeper than " + std::to_string(kMaxFormulaNesting) + " levels " + where());
            return {};
        }
        ++pos_;
        ++depth_;
        std::vector<ElementCount> elements = sequence();
        --depth_;
        if (!error_.empty())
            return {};
        if (pos_ >= text_.size()) {
            pos_ = open;
            fail("\"(\" " + where() + " is not closed");
            return {};
        }
        if (elements.empty()) {
            pos_ = open;
            fail("empty parentheses " + where());
            return {};
        }
        ++pos_; // the closing parenthesis
        const double factor = count();
        for (ElementCount& element : elements)
            element.count *= factor;
        return elements;
    }

    // A capital letter and up to two small ones.
    std::string elementSymbol()
    {
        const std::size_t start = pos_++;
        while (pos_ < text_.size() && pos_ - start < 3 && isLower(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Digits with an optional decimal part; 1 when no count is written.
    double count()
    {
        const std::size_t start = pos_;
        auto digits = [this] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && isDigit(text_[pos_]))
                ++pos_;
            return pos_ > from;
        };
        if (!digits())
            return 1;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits()) {
                --pos_;
                fail(unexpected());
                return 0;
            }
        }
        const std::string written = text_.substr(start, pos_ - start);
        // Digits beyond a Double read as no count at all.
        const double value = numbers::readDouble(written).value_or(0);
        if (!(value > 0)) {
            pos_ = start;
            fail("the count \"" + written + "\" " + where() + " is not above 0");
        }
        return value;
    }

    // The whole character at the reader's position, however many bytes it takes.
    std::string unexpected() const
    {
        std::size_t end = pos_ + 1;
        while (end < text_.size() && isContinuation(static_cast<unsigned char>(text_[end])))
            ++end;
        return "unexpected \"" + text_.substr(pos_, end - pos_) + "\" " + where();
    }

    // Where the reader stands, for a message: "at position 3 of "SiOx"".
    std::string where() const { return "at position " + std::to_string(pos_ + 1) + " of \"" + text_ + "\""; }

    // Records the first error and ends the reading.
    void fail(const std::string& message)
    {
        if (error_.empty())
            error_ = message;
        pos_ = text_.size();
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int depth_ = 0; // parentheses open at pos_
    std::string error_;
};

} // namespace

Result<std::vector<ElementCount>> parseChemicalFormula(const std::string& text)
{
    return FormulaReader(text).read();
}

} // namespace korvane
