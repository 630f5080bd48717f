// Where the program keeps its database when started from the menu
// (--user-data-folder): the folder chosen by the XDG base directory rules,
// made on the first start, kept as it is on every later one.

#include "app/UserDataFolder.h"
#include "materials/store/MaterialDatabase.h"
#include "presentation/ResultText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane::app {
namespace {

TEST(UserDataFolder, FollowsXdgDataHomeAndFallsBackToHomeWhenItIsUnsetEmptyOrRelative)
{
    EXPECT_EQ(userDataFolder(QStringLiteral("/data/ana/"), QStringLiteral("/home/ana")),
              QStringLiteral("/data/ana/korvane"));
    EXPECT_EQ(userDataFolder(QString(), QStringLiteral("/home/ana")), QStringLiteral("/home/ana/.local/share/korvane"));
    EXPECT_EQ(userDataFolder(QStringLiteral("data"), QStringLiteral("/home/ana/")),
              QStringLiteral("/home/ana/.local/share/korvane"));
    EXPECT_EQ(userDataFolder(QStringLiteral("data"), QStringLiteral("ana")), std::nullopt);
}

// Each test runs with its own environment and working directory, and puts
// both back afterwards.
class EnteringUserDataFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch_.isValid());
        ASSERT_TRUE(QDir::setCurrent(scratch_.path()));
    }
    void TearDown() override
    {
        QDir::setCurrent(startFolder_);
        restore("XDG_DATA_HOME", xdgDataHome_);
        restore("HOME", home_);
    }

    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QString scratchPath(const QString& relative) const { return scratch_.filePath(relative); }

    QString startFolder_ = QDir::currentPath();
    QByteArray xdgDataHome_ = qgetenv("XDG_DATA_HOME");
    QByteArray home_ = qgetenv("HOME");
    QTemporaryDir scratch_;
};

// Owner, group and others; Qt's "user" bits only repeat the owner's here.
int permissionBits(const QString& path)
{
    return int(QFileInfo(path).permissions()) & 0x7777 & ~0x0700;
}

constexpr int kOwnerOnly = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

// The first start makes the folder (owner-only, as the XDG rules ask) and
// the database in it; a later start enters the same folder.
TEST_F(EnteringUserDataFolder, MakesTheFolderOnceAndKeepsTheDatabaseInIt)
{
    const QString dataHome = scratchPath(QStringLiteral("xdg/data"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    qputenv("HOME", QFile::encodeName(scratchPath(QStringLiteral("home"))));
    const QString folder = dataHome + QStringLiteral("/korvane");

    const Result<QString> first = enterUserDataFolder();
    ASSERT_TRUE(first) << first.error();
    EXPECT_EQ(*first, folder);
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(permissionBits(scratchPath(QStringLiteral("xdg"))), kOwnerOnly);
    EXPECT_EQ(permissionBits(folder), kOwnerOnly);
    EXPECT_FALSE(QFileInfo::exists(scratchPath(QStringLiteral("home"))));

    OpenedDatabase database = openMaterialDatabase(QString::fromLatin1(kDatabasePath));
    ASSERT_TRUE(database) << database.error();
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/DataBase/TPP2-data.db")));

    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
    EXPECT_EQ(enterUserDataFolder().error(), "") << "a second start finds the folder made";
    EXPECT_EQ(QDir::currentPath(), folder);
}

// A folder that cannot be chosen or made leaves the working directory as it
// was, and says why.
TEST_F(EnteringUserDataFolder, SaysWhyWhenTheFolderCannotBeChosenOrMade)
{
    qputenv("XDG_DATA_HOME", "data");
    qunsetenv("HOME");
    const Result<QString> unchosen = enterUserDataFolder();
    EXPECT_FALSE(unchosen);
    EXPECT_EQ(unchosen.error(), "Neither XDG_DATA_HOME nor HOME names an absolute folder.");
    EXPECT_EQ(QDir::currentPath(), scratch_.path());

    const QString plainFile = scratchPath(QStringLiteral("plain-file"));
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(plainFile));
    const Result<QString> unmade = enterUserDataFolder();
    EXPECT_FALSE(unmade);
    EXPECT_EQ(errorText(unmade), QStringLiteral("The folder %1/korvane cannot be made.").arg(plainFile));
    EXPECT_EQ(QDir::currentPath(), scratch_.path());
}

} // namespace
} // namespace korvane::app
