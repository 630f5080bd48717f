#include "app/DatabaseMessage.h"
#include "materials/store/MaterialDatabase.h"
#include "presentation/ResultText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane::app {
namespace {

// The message says the file is unchanged only when there is a file; when
// none could be made it says so, and names the folder that is in the way.
TEST(UnusableDatabaseMessage, SaysWhetherAFileIsThere)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("DataBase"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = blocker + QStringLiteral("/TPP2-data.db");
    const OpenedDatabase opened = openMaterialDatabase(path);
    ASSERT_FALSE(opened);
    EXPECT_EQ(unusableDatabaseMessage(path, errorText(opened), QFile::exists(path)),
              QStringLiteral("The materials database %1 cannot be used: the folder %2 cannot be created, because a "
                             "file of that name is in the way."
                             "\n\nNo file has been created.")
                  .arg(path, blocker));
    EXPECT_EQ(unusableDatabaseMessage(QStringLiteral("DataBase/TPP2-data.db"), QStringLiteral("it is damaged"), true),
              QStringLiteral("The materials database DataBase/TPP2-data.db cannot be used: it is damaged.\n\n"
                             "The file has not been changed."));
}

} // namespace
} // namespace korvane::app
