#include "materials/exchange/CsvRecords.h"

#include <QIODevice>

namespace korvane {

namespace {

// A quoted empty cell is the empty text; an unquoted one is no value,
// marked by a null array.
QByteArray finished(const QByteArray& cell, bool wasQuoted)
{
    if (cell.isEmpty())
        return wasQuoted ? QByteArray("") : QByteArray();
    return cell;
}

} // namespace

bool CsvRecords::next(std::vector<QByteArray>* cells)
{
    cells->clear();
    recordLine_ = line_;
    qint64 bytes = 0;
    QByteArray cell;
    bool quoted = false;    // inside a quoted cell
    bool wasQuoted = false; // the cell began with a quote
    bool any = false;
    for (;;) {
        const int c = get();
        if (c < 0) {
            if (quoted)
                return fail(QStringLiteral("line %1: a quoted cell is not closed").arg(recordLine_));
            if (!any)
                return false;
            cells->push_back(finished(cell, wasQuoted));
            return true;
        }
        any = true;
        if (++bytes > maxRecordBytes_)
            return fail(QStringLiteral("line %1 is longer than %2 bytes").arg(recordLine_).arg(maxRecordBytes_));
        if (quoted) {
            if (c == '"' && peek() == '"') {
                get();
                cell += '"';
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line_;
                cell += char(c);
            }
        } else if (c == '"' && cell.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            cells->push_back(finished(cell, wasQuoted));
            cell.clear();
            wasQuoted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && peek() == '\n')
                get();
            ++line_;
            cells->push_back(finished(cell, wasQuoted));
            return true;
        } else if (wasQuoted) {
            return fail(QStringLiteral("line %1: text after the closing quote of a cell").arg(recordLine_));
        } else {
            cell += char(c);
        }
    }
}

int CsvRecords::get()
{
    if (pos_ == buffer_.size()) {
        buffer_ = device_.read(1 << 16);
        pos_ = 0;
        if (buffer_.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
}

int CsvRecords::peek()
{
    const int c = get();
    if (c >= 0)
        --pos_;
    return c;
}

bool CsvRecords::fail(const QString& message)
{
    error_ = message;
    return false;
}

} // namespace korvane
