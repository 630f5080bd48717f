#include "materials/ChemicalFormula.h"

#include <QLocale>

namespace korvane {

namespace {

// Adds `count` atoms of `symbol`, keeping the order of first appearance.
void add(std::vector<ElementCount>& elements, const QString& symbol, double count)
{
    for (ElementCount& element : elements) {
        if (element.symbol == symbol) {
            element.count += count;
            return;
        }
    }
    elements.push_back({symbol, count});
}

// A recursive-descent reader over the formula text; the first error ends it.
class FormulaReader {
public:
    explicit FormulaReader(const QString& text) : text_(text) {}

    ChemicalFormula read()
    {
        ChemicalFormula formula;
        if (text_.trimmed().isEmpty()) {
            formula.error = QStringLiteral("the formula is empty");
            return formula;
        }
        if (text_.size() > kMaxFormulaLength) {
            formula.error = QStringLiteral("the formula is longer than %1 characters").arg(kMaxFormulaLength);
            return formula;
        }
        formula.elements = sequence();
        if (error_.isEmpty() && pos_ < text_.size())
            fail(text_[pos_] == u')' ? QStringLiteral("\")\" %1 has no matching \"(\"").arg(where()) : unexpected());
        if (!error_.isEmpty())
            formula = {{}, error_};
        return formula;
    }

private:
    // Elements and groups up to the end of the text or a closing parenthesis.
    std::vector<ElementCount> sequence()
    {
        std::vector<ElementCount> elements;
        while (error_.isEmpty() && pos_ < text_.size() && text_[pos_] != u')') {
            if (text_[pos_] == u'(') {
                for (const ElementCount& element : group())
                    add(elements, element.symbol, element.count);
            } else if (text_[pos_].isUpper() && text_[pos_].unicode() < 0x80) {
                const QString symbol = elementSymbol();
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
        const qsizetype open = pos_;
        if (depth_ == kMaxFormulaNesting) {
            fail(QStringLiteral("parentheses nested deeper than %1 levels %2")
                     .arg(QString::number(kMaxFormulaNesting), where()));
            return {};
        }
        ++pos_;
        ++depth_;
        std::vector<ElementCount> elements = sequence();
        --depth_;
        if (!error_.isEmpty())
            return {};
        if (pos_ >= text_.size()) {
            pos_ = open;
            fail(QStringLiteral("\"(\" %1 is not closed").arg(where()));
            return {};
        }
        if (elements.empty()) {
            pos_ = open;
            fail(QStringLiteral("empty parentheses %1").arg(where()));
            return {};
        }
        ++pos_; // the closing parenthesis
        const double factor = count();
        for (ElementCount& element : elements)
            element.count *= factor;
        return elements;
    }

    // A capital letter and up to two small ones.
    QString elementSymbol()
    {
        const qsizetype start = pos_++;
        while (pos_ < text_.size() && pos_ - start < 3 && text_[pos_].isLower() && text_[pos_].unicode() < 0x80)
            ++pos_;
        return text_.mid(start, pos_ - start);
    }

    // Digits with an optional decimal part; 1 when no count is written.
    double count()
    {
        const qsizetype start = pos_;
        auto digits = [this] {
            const qsizetype from = pos_;
            while (pos_ < text_.size() && text_[pos_].isDigit() && text_[pos_].unicode() < 0x80)
                ++pos_;
            return pos_ > from;
        };
        if (!digits())
            return 1;
        if (pos_ < text_.size() && text_[pos_] == u'.') {
            ++pos_;
            if (!digits()) {
                --pos_;
                fail(unexpected());
                return 0;
            }
        }
        const QString written = text_.mid(start, pos_ - start);
        const double value = QLocale::c().toDouble(written);
        if (!(value > 0)) {
            pos_ = start;
            fail(QStringLiteral("the count \"%1\" %2 is not above 0").arg(written, where()));
        }
        return value;
    }

    QString unexpected() const { return QStringLiteral("unexpected \"%1\" %2").arg(QString(text_[pos_]), where()); }

    // Where the reader stands, for a message: "at position 3 of "SiOx"".
    QString where() const { return QStringLiteral("at position %1 of \"%2\"").arg(QString::number(pos_ + 1), text_); }

    // Records the first error and ends the reading.
    void fail(const QString& message)
    {
        if (error_.isEmpty())
            error_ = message;
        pos_ = text_.size();
    }

    const QString& text_;
    qsizetype pos_ = 0;
    int depth_ = 0; // parentheses open at pos_
    QString error_;
};

} // namespace

ChemicalFormula parseChemicalFormula(const QString& text)
{
    return FormulaReader(text).read();
}

} // namespace korvane
