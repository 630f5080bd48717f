#include "materials/MaterialDatabase.h"
#include "materials/ShippedMaterials.h"
#include "support/FakePrompts.h"
#include "ui/DataControl.h"
#include "ui/Form1.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane::ui {
namespace {

// The first start in a folder without a database: the file is made from the
// shipped materials and the window opens on hydrogen.
TEST(FreshStart, CreatesEveryShippedRowAndShowsHydrogenFirst)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(kDatabasePath));
    OpenedDatabase database = openMaterialDatabase(path);
    ASSERT_TRUE(database) << database.error().toStdString();
    test::FakePrompts prompts;
    Form1 window(**database, &prompts);
    window.show();

    const std::vector<Material> shipped = *readShippedMaterials(shippedMaterialsText());
    ASSERT_EQ((*database)->storedRowCount(), int(shipped.size()));
    qint64 previous = 0;
    for (int i = 0; i < (*database)->storedRowCount(); ++i) {
        const qint64 id = (*database)->row(i).id;
        EXPECT_GT(id, previous) << "rows in ID order";
        previous = id;
    }
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtName"))->text(), QStringLiteral("H"));
    EXPECT_EQ(window.findChild<DataControl*>(QStringLiteral("adoMaterials"))->caption(),
              QStringLiteral("Rec: 1 of %1").arg(shipped.size()));
    EXPECT_FALSE(window.findChild<QLineEdit*>(QStringLiteral("txtError"))->isVisible());
}

} // namespace
} // namespace korvane::ui
