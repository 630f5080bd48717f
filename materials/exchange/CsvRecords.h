#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace korvane {

// Reads CSV records (RFC 4180: cells separated by commas, a cell quoted with
// double quotes when it holds commas, quotes or line breaks, a quote in it
// doubled) one at a time from a device, never holding more than one record.
class CsvRecords {
public:
    // Records longer than `maxRecordBytes` end the reading with an error.
    CsvRecords(QIODevice& device, qint64 maxRecordBytes) : device_(device), maxRecordBytes_(maxRecordBytes) {}

    // The next record's cells; false at the end of the device or on an
    // error. An empty unquoted cell is a null array, a quoted one ("") an
    // empty one.
    bool next(std::vector<QByteArray>* cells);

    // The line on which the last record began, counting from 1.
    qint64 recordLine() const { return recordLine_; }
    // Why the reading stopped early; empty at the end of the device.
    const QString& error() const { return error_; }

private:
    int get();
    int peek();
    bool fail(const QString& message);

    QIODevice& device_;
    qint64 maxRecordBytes_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qint64 line_ = 1;
    qint64 recordLine_ = 1;
    QString error_;
};

} // namespace korvane
