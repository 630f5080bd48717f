#include "lookup/MaterialCache.h"

#include <QFile>

#include <pthread.h>
#include <sys/stat.h>

#include <atomic>
#include <ctime>

namespace korvane {

namespace {

// Materials kept per file; beyond them the file's memory starts afresh, so
// a loop over every name of a large table does not keep the table.
constexpr size_t kKeptPerFile = 4096;

// How far the system's file times may lag its clock (they are taken from a
// coarse clock, and some file systems keep whole seconds), with room to spare.
constexpr qint64 kFileTimeLagNs = 2'000'000'000;

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 clockNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

// Counts the forks that made this process: a connection must not be used
// across a fork (its locks are the parent's), so a child opens afresh.
std::atomic<unsigned> forks{0};

template <class Key>
Result<std::optional<Material>> remembered(std::map<Key, std::optional<Material>>& memo, const Key& key,
                                           const std::function<Result<std::optional<Material>>()>& read)
{
    if (const auto found = memo.find(key); found != memo.end())
        return found->second;
    Result<std::optional<Material>> row = read();
    if (!row)
        return row;
    if (memo.size() >= kKeptPerFile)
        memo.clear();
    memo.emplace(key, *row);
    return row;
}

} // namespace

MaterialCache& MaterialCache::shared()
{
    static MaterialCache cache;
    static const int counted = pthread_atfork(nullptr, nullptr, [] { ++forks; });
    (void)counted;
    return cache;
}

std::optional<MaterialCache::FileState> MaterialCache::stateOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileState{info.st_dev, info.st_ino, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
                     qint64(info.st_size)};
}

bool MaterialCache::unchanged(File& file, const QString& path)
{
    const std::optional<FileState> now = stateOf(path);
    if (!now || *now != file.state || file.fork != forks)
        return false;
    // A commit writes the file itself and so moves its change time, unless
    // it falls within the file time's granularity of the last change; once
    // the data version has been found unchanged well after that, the file's
    // times alone show every later commit, and asking SQLite (which locks
    // and reads the file) is needless. In WAL mode it is always asked.
    if (!file.writeAhead && file.state.changedNs + kFileTimeLagNs < file.verifiedNs)
        return true;
    const qint64 asked = clockNs();
    if (file.catalog.dataVersion() != file.dataVersion)
        return false;
    file.verifiedNs = asked;
    return true;
}

Result<MaterialCache::Lookup> MaterialCache::open(const QString& path, WhenMissing whenMissing)
{
    std::unique_lock<std::mutex> lock(mutex_);
    std::unique_ptr<File>& kept = files_[path];
    if (kept && unchanged(*kept, path))
        return Lookup(std::move(lock), kept.get());
    kept.reset();
    // The state is taken before the checks, so a change while they run is
    // seen at the next look; a file that the opening creates has it after.
    const qint64 openedAt = clockNs();
    std::optional<FileState> state = stateOf(path);
    Result<MaterialCatalog> opened = MaterialCatalog::open(path, whenMissing);
    if (!state)
        state = stateOf(path);
    if (!opened || !state) {
        files_.erase(path);
        return opened ? failed(QStringLiteral("the file has gone"), ErrorCode::NotFound) : opened.failure();
    }
    const qint64 version = opened->dataVersion();
    const bool writeAhead = opened->writesAhead();
    kept = std::make_unique<File>(File{std::move(*opened), *state, forks, version, writeAhead, openedAt, {}, {}, {}});
    return Lookup(std::move(lock), kept.get());
}

Result<std::optional<Material>> MaterialCache::Lookup::find(const QString& nameOrId)
{
    const std::optional<qint64> id = MaterialCatalog::bareId(nameOrId);
    return id ? findId(*id) : findName(nameOrId);
}

Result<std::optional<Material>> MaterialCache::Lookup::findId(qint64 id)
{
    return remembered(file_->byId, id, [&] { return file_->catalog.findId(id); });
}

Result<std::optional<Material>> MaterialCache::Lookup::findName(const QString& name)
{
    return remembered(file_->byName, name, [&] { return file_->catalog.findName(name); });
}

Result<std::optional<Material>> MaterialCache::Lookup::element(const QString& symbol)
{
    return remembered(file_->elements, symbol, [&] { return file_->catalog.element(symbol); });
}

} // namespace korvane
