#include "materials/MaterialDatabase.h"

#include "materials/MaterialSchema.h"
#include "materials/MaterialTableCheck.h"
#include "materials/ShippedMaterials.h"

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

bool writeRows(sqlite::Connection& db, const std::vector<Material>& rows, QString* error)
{
    sqlite::Transaction transaction(db);
    if (!transaction.begun()) {
        *error = transaction.error();
        return false;
    }
    if (!db.exec(schema::createTable().toUtf8().constData(), error))
        return false;
    sqlite::Statement insert(db, schema::insertRow(schema::columnName(int(Column::Description))));
    for (const Material& m : rows) {
        insert.reset();
        schema::bindRow(insert, m);
        if (insert.step() != SQLITE_DONE) {
            *error = db.errorMessage();
            return false;
        }
    }
    if (transaction.commit())
        return true;
    *error = transaction.error();
    return false;
}

QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// Makes the folder and any missing folders above it; false, saying which
// folder could not be made and why, when one cannot be.
bool makeFolders(const QString& folder, QString* error)
{
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !makeFolders(parent, error))
        return false;
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0 || (errno == EEXIST && QFileInfo(folder).isDir()))
        return true;
    if (errno == EACCES || errno == EROFS)
        *error = QStringLiteral("the folder %1 cannot be created, because the folder %2 is not writable")
                     .arg(folder, parent);
    else if (errno == EEXIST)
        *error = QStringLiteral("the folder %1 cannot be created, because a file of that name is in the way")
                     .arg(folder);
    else
        *error = QStringLiteral("the folder %1 cannot be created (%2)").arg(folder, systemError());
    return false;
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
        while ((rc = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
        }
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

enum class Creation { Made, FoundMade, Failed };

// Writes the database unless a file is already at `path`. Copies of the
// program that start at the same moment take turns through a lock on the
// folder: the first builds the file, the others then find it made.
Creation createUnlessPresent(const QString& path, const std::vector<Material>& rows, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!makeFolders(folder, error))
        return Creation::Failed;
    const FolderLock lock(folder);
    if (!lock.held()) {
        *error = QStringLiteral("the folder %1 cannot be locked (%2)").arg(folder, systemError());
        return Creation::Failed;
    }
    if (pathTaken(path))
        return Creation::FoundMade;
    // Build the database beside its final place, then link it there: the
    // file appears whole, and the link fails rather than replace a file.
    // While the lock is held no other copy builds, so a partial file found
    // here is a crash's leftover.
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));
    bool written = false;
    {
        sqlite::Connection db = sqlite::Connection::open(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        written = db && db.exec("PRAGMA synchronous=FULL", error) && writeRows(db, rows, error);
    }
    if (written && ::link(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("the file cannot be created (%1)").arg(systemError());
        written = false;
    }
    QFile::remove(partial);
    return written ? Creation::Made : Creation::Failed;
}

// What keeps an existing name from being opened as a database file, in
// words the user can act on; empty when it is a file or a link to one.
QString unusablePath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("it is a link to %1, which does not exist").arg(info.symLinkTarget());
    if (info.isDir())
        return QStringLiteral("it is a folder, not a database file");
    return {};
}

// Rolling back an interrupted save removes its journal, which needs a
// writable folder; without one the file is left alone and the user told.
QString rollbackImpossible(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return {};
    return QStringLiteral("an interrupted save left the journal %1-journal, which can be rolled back only in a "
                          "writable folder; make the folder %2 writable once and start again")
        .arg(path, folder);
}

} // namespace

bool createMaterialDatabase(const QString& path, const std::vector<Material>& rows, QString* error)
{
    switch (createUnlessPresent(path, rows, error)) {
    case Creation::Made: return true;
    case Creation::FoundMade: *error = QStringLiteral("the file already exists"); return false;
    case Creation::Failed: return false;
    }
    return false;
}

OpenedDatabase openMaterialDatabase(const QString& path, bool readOnly, WhenMissing whenMissing)
{
    OpenedDatabase result;
    if (!pathTaken(path) && whenMissing == WhenMissing::Refuse) {
        result.error = QStringLiteral("there is no such file");
        return result;
    }
    if (!pathTaken(path)) {
        const ShippedMaterials shipped = readShippedMaterials(shippedMaterialsText());
        if (!shipped.error.isEmpty()) {
            result.error = QStringLiteral("the shipped materials cannot be read (%1)").arg(shipped.error);
            return result;
        }
        if (createUnlessPresent(path, shipped.materials, &result.error) == Creation::Failed)
            return result;
    }
    result.error = unusablePath(path);
    if (!result.error.isEmpty())
        return result;
    // Look at the file read-only first, so a file that is not ours stays as
    // it was. Only a file left with an interrupted write of our own (a hot
    // journal) needs the writable connection to be read, which rolls it back.
    sqlite::Connection db = sqlite::Connection::open(path, SQLITE_OPEN_READONLY, &result.error);
    if (!db)
        return result;
    MaterialTableCheck contents = checkMaterialTable(db);
    if (contents.needsRollback) {
        result.error = rollbackImpossible(path);
        if (!result.error.isEmpty())
            return result;
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE, &result.error);
        if (!db)
            return result;
        contents = checkMaterialTable(db);
    }
    if (!contents.error.isEmpty()) {
        result.error = contents.error;
        return result;
    }
    if (!readOnly) {
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE, &result.error);
        if (!db || !db.exec("PRAGMA synchronous=FULL", &result.error))
            return result;
    }
    auto store = std::make_unique<MaterialStore>(std::move(db), contents.secondColumn);
    if (store->load(&result.error))
        result.store = std::move(store);
    return result;
}

} // namespace korvane
