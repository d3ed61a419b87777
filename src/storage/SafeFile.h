#pragma once

#include <QByteArray>
#include <QString>

#include <QStringList>

#include <functional>

class QIODevice;

namespace tavorel {

// Whole-file replaces (settings, logo, exports). The new content is written to a temporary file
// beside the target and renamed over it only when complete, so a failed or abandoned write leaves
// the old file exactly as it was, and the old file is never removed before the new one is in place.
// A target that exists and is not a regular file (a pipe, a device, a folder) is refused.

bool replaceFileContents(const QString& path, const QByteArray& data);

// The same, with the content produced by `write` (for writers that want a device, such as
// QImage::save). When `write` returns false nothing is replaced.
bool replaceFileContents(const QString& path, const std::function<bool(QIODevice& out)>& write);

// The same replace in two steps, for files that change together (a restore puts back a whole set):
// stage() writes each new content into a new file beside its target and makes sure it is on the
// disk, while nothing is replaced yet; commit() then puts them all in place, each with one rename,
// so that a failed write anywhere leaves every target as it was. A staged file that is not
// committed is removed when the object goes.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the content `write` produces for `path` (whose folder must exist); false, with nothing
    // left behind, when it cannot be written whole.
    bool stage(const QString& path, const std::function<bool(QIODevice& out)>& write);
    // Marks `path` to be removed by the commit.
    void stageRemoval(const QString& path);

    enum class Commit {
        Done,        // every file in place, every file marked removed
        Failed,      // a step failed and every target is as it was before the commit
        FailedPartly // a step failed and so did putting some targets back
    };
    // Puts the staged files in place and removes those marked, in the order staged. All or
    // nothing: until the last step has succeeded the old files are kept aside, and when a step
    // fails those already replaced or removed are put back. What is left staged is then discarded.
    Commit commit();
    // Removes the staged files not put in place.
    void discard();

    qsizetype count() const { return staged_.size(); }
    // The targets, in the order staged.
    QStringList targets() const;

private:
    struct Staged {
        QString target;
        QString temporary; // empty for a removal
        QString aside;     // where the old file is kept during the commit
        bool placed = false;
    };
    // Puts back what the commit changed so far; false when some of it cannot be.
    bool rollBack();
    QList<Staged> staged_;
};

} // namespace tavorel
