#include "materials/SecondColumn.h"

#include "materials/Material.h"

namespace korvane {

QString secondColumnName(const sqlite::Connection& db)
{
    sqlite::Statement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(kTableName)));
    for (int index = 0; info.ok() && info.step() == SQLITE_ROW; ++index) {
        if (index == 1)
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.handle(), 1)));
    }
    return columnName(int(Column::Description));
}

QString quotedColumns(const QString& secondColumn)
{
    QString columns;
    for (int c = 0; c < kColumnCount; ++c)
        columns += (c ? QStringLiteral(",") : QString())
                   + sqlite::quoted(c == int(Column::Description) ? secondColumn : columnName(c));
    return columns;
}

} // namespace korvane
