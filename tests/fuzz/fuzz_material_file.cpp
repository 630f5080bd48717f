// The reader of files of materials for import: any bytes give rows or an
// error, within the record limit.
#include "materials/exchange/MaterialFileReader.h"

#include <QFile>

#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = QStringLiteral("/tmp/korvane-fuzz-material-file-%1").arg(::getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const korvane::Result<korvane::MaterialFile> read = korvane::readMaterialFile(path);
    if (!read)
        return 0;
    for (const korvane::FileRow& row : read->rows) {
        for (const std::optional<QString>& cell : row.cells) {
            if (cell && cell->size() > korvane::kMaxRecordBytes)
                std::abort();
        }
    }
    return 0;
}
