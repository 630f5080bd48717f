#include "cli/MaterialCache.h"

#include <QFile>

#include <sys/stat.h>

namespace korvane::cli {

namespace {

// Materials kept per file before the oldest are forgotten: a loop over
// every name of a large table must not keep the table in memory.
constexpr size_t kKeptPerFile = 4096;

using Memo = std::map<QString, std::optional<Material>>;

Result<std::optional<Material>> remembered(Memo& memo, const QString& key,
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
    return cache;
}

std::optional<MaterialCache::FileState> MaterialCache::stateOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileState{info.st_dev, info.st_ino, qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                     qint64(info.st_size)};
}

bool MaterialCache::unchanged(const File& file, const QString& path) const
{
    const std::optional<FileState> now = stateOf(path);
    return now && *now == file.state && file.catalog.dataVersion() == file.dataVersion;
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
    std::optional<FileState> state = stateOf(path);
    Result<MaterialCatalog> opened = MaterialCatalog::open(path, whenMissing);
    if (!state)
        state = stateOf(path);
    if (!opened || !state) {
        files_.erase(path);
        return Failed{opened ? QStringLiteral("the file has gone") : opened.error()};
    }
    const qint64 version = opened->dataVersion();
    kept = std::make_unique<File>(File{std::move(*opened), *state, version, {}, {}});
    return Lookup(std::move(lock), kept.get());
}

Result<std::optional<Material>> MaterialCache::Lookup::find(const QString& nameOrId)
{
    return remembered(file_->byNameOrId, nameOrId, [&] { return file_->catalog.find(nameOrId); });
}

Result<std::optional<Material>> MaterialCache::Lookup::element(const QString& symbol)
{
    return remembered(file_->elements, symbol, [&] { return file_->catalog.element(symbol); });
}

} // namespace korvane::cli
