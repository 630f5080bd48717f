#pragma once

#include "lookup/MaterialCatalog.h"

#include <sys/types.h>

#include <map>
#include <memory>
#include <mutex>

namespace korvane {

// The materials of each database file as far as they have been looked up,
// kept with a connection to the file, so that asking again for a material
// reads nothing. Before every use the file is checked for changes: another
// file at the path, a new modification or change time or size, or a write of
// another connection (SQLite's data version); any of them opens and checks
// the file afresh and forgets every material read from it. Safe for several
// threads: one at a time holds a file's materials.
class MaterialCache {
public:
    // The cache of this process, for tpp2m's commands and the Python module.
    static MaterialCache& shared();

    class Lookup;
    // The materials of the file at `path`, opened (and created when missing,
    // unless `whenMissing` refuses) as MaterialCatalog::open does. The cache
    // is held until the lookup ends.
    Result<Lookup> open(const QString& path, WhenMissing whenMissing);

private:
    // The file as the system describes it, to tell another or a rewritten file.
    struct FileState {
        dev_t device = 0;
        ino_t inode = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0; // set by the system on every write, never by a program
        qint64 size = 0;
        bool operator==(const FileState&) const = default;
    };
    struct File {
        MaterialCatalog catalog;
        FileState state;
        unsigned fork = 0; // the process it was opened in, as counted by forks
        qint64 dataVersion = 0;
        bool writeAhead = false; // WAL: commits go to another file, leaving this one's times
        qint64 verifiedNs = 0;   // when the data version was last found unchanged
        // By what was asked for: found rows and materials that are not there.
        std::map<qint64, std::optional<Material>> byId;
        std::map<QString, std::optional<Material>> byName;
        std::map<QString, std::optional<Material>> elements;
    };
    static std::optional<FileState> stateOf(const QString& path);
    static bool unchanged(File& file, const QString& path);

    std::mutex mutex_;
    std::map<QString, std::unique_ptr<File>> files_;

public:
    class Lookup {
    public:
        // The first material with exactly this name, or with this ID when
        // the text is a bare decimal number (MaterialCatalog::find).
        Result<std::optional<Material>> find(const QString& nameOrId);
        // The material with this ID; the first with exactly this name.
        Result<std::optional<Material>> findId(qint64 id);
        Result<std::optional<Material>> findName(const QString& name);
        // The element with this symbol (MaterialCatalog::element).
        Result<std::optional<Material>> element(const QString& symbol);
        QString nameInOtherCase(const QString& name) const { return file_->catalog.nameInOtherCase(name); }
        // Rows read from the file since it was last opened.
        qint64 rowsRead() const { return file_->catalog.rowsRead(); }

    private:
        friend class MaterialCache;
        Lookup(std::unique_lock<std::mutex> lock, File* file) : lock_(std::move(lock)), file_(file) {}
        std::unique_lock<std::mutex> lock_;
        File* file_;
    };
};

} // namespace korvane
