#include "ui/about/TextPieces.h"

#include "presentation/LineBreaks.h"

namespace korvane::ui {

namespace {

QString separator(Then then)
{
    switch (then) {
    case Then::Break: return lineBreak();
    case Then::Blank: return lineBreak().repeated(2);
    case Then::TwoBlanks: return lineBreak().repeated(3);
    case Then::None:
    case Then::End: return {};
    }
    return {};
}

} // namespace

QString joinPieces(std::span<const TextPiece> pieces)
{
    QString text;
    for (const TextPiece& piece : pieces)
        text += QString::fromUtf8(piece.text) + separator(piece.then);
    return text;
}

} // namespace korvane::ui
