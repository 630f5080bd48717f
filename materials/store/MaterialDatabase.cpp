#include "materials/store/MaterialDatabase.h"

#include "materials/store/MaterialSchema.h"
#include "materials/store/MaterialTableCheck.h"
#include "materials/store/Sqlite.h"
#include "materials/store/ShippedMaterials.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvane {

namespace {

Result<void> writeRows(sqlite::Connection& db, const std::vector<Material>& rows)
{
    sqlite::Transaction transaction(db);
    if (!transaction.begun())
        return transaction.begun();
    if (Result<void> created = db.exec(schema::createTable().toUtf8().constData()); !created)
        return created;
    sqlite::Statement insert(db, schema::insertRow(schema::columnName(int(Column::Description))));
    for (const Material& m : rows) {
        insert.reset();
        schema::bindRow(insert, m);
        if (insert.step() != SQLITE_DONE)
            return db.failure();
    }
    return transaction.commit();
}

QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// Makes the folder and any missing folders above it, or says which folder
// could not be made and why.
Result<void> makeFolders(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return {};
    const QString parent = QFileInfo(folder).path();
    if (parent != folder) {
        if (Result<void> above = makeFolders(parent); !above)
            return above;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0 || (errno == EEXIST && QFileInfo(folder).isDir()))
        return {};
    if (errno == EACCES || errno == EROFS)
        return failed(QStringLiteral("the folder %1 cannot be created, because the folder %2 is not writable")
                          .arg(folder, parent));
    if (errno == EEXIST)
        return failed(
            QStringLiteral("the folder %1 cannot be created, because a file of that name is in the way").arg(folder));
    return failed(QStringLiteral("the folder %1 cannot be created (%2)").arg(folder, systemError()));
}

// An exclusive lock on a folder, held while the object lives. The system
// drops it when the process ends, so a crash leaves no stale lock.
class FolderLock {
public:
    explicit FolderLock(const QString& folder)
    {
        fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0)
            return;
        int rc;
        while ((rc = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {}
        if (rc != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool pathTaken(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

enum class Creation { Made, FoundMade };

// Writes the database unless a file is already at `path`. Copies of the
// program that start at the same moment take turns through a lock on the
// folder: the first builds the file, the others then find it made.
Result<Creation> createUnlessPresent(const QString& path, const std::vector<Material>& rows)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (Result<void> made = makeFolders(folder); !made)
        return made.failure();
    const FolderLock lock(folder);
    if (!lock.held())
        return failed(QStringLiteral("the folder %1 cannot be locked (%2)").arg(folder, systemError()));
    if (pathTaken(path))
        return Creation::FoundMade;
    // Build the database beside its final place, then link it there: the
    // file appears whole, and the link fails rather than replace a file.
    // While the lock is held no other copy builds, so a partial file found
    // here is a crash's leftover.
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));
    Result<void> written;
    {
        Result<sqlite::Connection> db = sqlite::Connection::open(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!db)
            written = db.failure();
        if (written)
            written = db->exec("PRAGMA synchronous=FULL");
        if (written)
            written = writeRows(*db, rows);
    }
    if (written && ::link(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0)
        written = failed(QStringLiteral("the file cannot be created (%1)").arg(systemError()));
    QFile::remove(partial);
    if (!written)
        return written.failure();
    return Creation::Made;
}

// What keeps an existing name from being opened as a database file, in
// words the user can act on.
Result<void> checkPathUsable(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return failed(QStringLiteral("it is a link to %1, which does not exist").arg(info.symLinkTarget()));
    if (info.isDir())
        return failed(QStringLiteral("it is a folder, not a database file"));
    return {};
}

// Rolling back an interrupted save removes its journal, which needs a
// writable folder; without one the file is left alone and the user told.
Result<void> checkRollbackPossible(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return {};
    return failed(QStringLiteral("an interrupted save left the journal %1-journal, which can be rolled back only in "
                                 "a writable folder; make the folder %2 writable once and start again")
                      .arg(path, folder));
}

} // namespace

Result<void> createMaterialDatabase(const QString& path, const std::vector<Material>& rows)
{
    const Result<Creation> created = createUnlessPresent(path, rows);
    if (!created)
        return created.failure();
    if (*created == Creation::FoundMade)
        return failed(QStringLiteral("the file already exists"));
    return {};
}

Result<CheckedDatabase> openCheckedDatabase(const QString& path, bool readOnly, WhenMissing whenMissing)
{
    if (!pathTaken(path) && whenMissing == WhenMissing::Refuse)
        return failed(QStringLiteral("there is no such file"));
    if (!pathTaken(path)) {
        const Result<std::vector<Material>> shipped = readShippedMaterials(shippedMaterialsText());
        if (!shipped)
            return failed(QStringLiteral("the shipped materials cannot be read (%1)").arg(errorText(shipped)));
        if (const Result<Creation> created = createUnlessPresent(path, *shipped); !created)
            return created.failure();
    }
    if (const Result<void> usable = checkPathUsable(path); !usable)
        return usable.failure();
    // Look at the file read-only first, so a file that is not ours stays as
    // it was. Only a file left with an interrupted write of our own (a hot
    // journal) needs the writable connection to be read, which rolls it back.
    Result<sqlite::Connection> db = sqlite::Connection::open(path, SQLITE_OPEN_READONLY);
    if (!db)
        return db.failure();
    Result<QString> secondColumn = checkMaterialTable(*db);
    if (!secondColumn && db->extendedErrorCode() == SQLITE_READONLY_ROLLBACK) {
        if (const Result<void> possible = checkRollbackPossible(path); !possible)
            return possible.failure();
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE);
        if (!db)
            return db.failure();
        secondColumn = checkMaterialTable(*db);
    }
    if (!secondColumn)
        return secondColumn.failure();
    if (!readOnly) {
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE);
        if (!db)
            return db.failure();
        if (const Result<void> durable = db->exec("PRAGMA synchronous=FULL"); !durable)
            return durable.failure();
    }
    return CheckedDatabase{std::move(*db), std::move(*secondColumn)};
}

OpenedDatabase openMaterialDatabase(const QString& path, bool readOnly, WhenMissing whenMissing)
{
    Result<CheckedDatabase> checked = openCheckedDatabase(path, readOnly, whenMissing);
    if (!checked)
        return checked.failure();
    auto store = std::make_unique<MaterialStore>(std::move(checked->connection), std::move(checked->secondColumn));
    if (const Result<void> loaded = store->load(); !loaded)
        return loaded.failure();
    return store;
}

} // namespace korvane
