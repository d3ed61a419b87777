#pragma once

// What the backup writer and the restore share about the ZIP files (inside the backup library).

#include <QByteArray>
#include <QString>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace tavorel::zip {

struct ReaderDeleter {
    void operator()(archive* a) const { archive_read_free(a); }
};
// A writer goes without writing anything more: a ZIP is ended by an explicit archive_write_close,
// and one that failed or was abandoned is not finished on the way out.
struct WriterDeleter {
    void operator()(archive* a) const
    {
        archive_write_fail(a);
        archive_write_free(a);
    }
};
struct EntryDeleter {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};
using ReaderPtr = std::unique_ptr<archive, ReaderDeleter>;
using WriterPtr = std::unique_ptr<archive, WriterDeleter>;
using EntryPtr = std::unique_ptr<archive_entry, EntryDeleter>;

// A reader of ZIP files that can seek: it takes the entries from the central directory.
ReaderPtr newReader();

// The entry's name as the program uses it: UTF-8 (the names a copy holds carry the UTF-8 flag),
// with '\' taken as a folder separator as Windows tools write it.
QString entryName(archive_entry* entry);

// libarchive's last message, for diagnostics.
QString errorOf(archive* a);

// How big the pieces are that a copy reads and writes at a time.
inline constexpr qint64 kChunk = 1 << 20;

} // namespace tavorel::zip
