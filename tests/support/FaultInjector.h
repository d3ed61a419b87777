#pragma once

#include <QString>

#include <cerrno>

namespace tavorel::test {

// Makes one call of the C library fail, as a full disk, a failing disk or a locked folder would:
// the Nth write, flush, rename, open for writing or file copy made by this process on a file inside
// a watched folder fails with the chosen error. The calls are intercepted by functions of the same
// name linked into the test executable (tavorel_faults), so the program under test is the very
// code that ships; nothing in it knows about faults.
//
// Only files in the watched folder count, so the test framework's own output and Qt's caches are
// never hit. The steps counted are:
//   Open    open() with O_WRONLY, O_RDWR, O_CREAT or O_TRUNC (a temporary file included)
//   Write   write(), pwrite(), writev()
//   Flush   fsync(), fdatasync()
//   Rename  rename(), renameat(), renameat2(), linkat() (a temporary file put in place)
//   Copy    sendfile(), copy_file_range()
class FaultInjector {
public:
    enum Step : unsigned {
        Open = 1,
        Write = 2,
        Flush = 4,
        Rename = 8,
        Copy = 16,
        AnyStep = Open | Write | Flush | Rename | Copy,
    };

    // Counts the steps on files in `folder` while the object lives; the `failAt`-th (1-based) of
    // the kinds in `steps` fails with `error`. failAt 0 only counts.
    FaultInjector(const QString& folder, int failAt, int error = ENOSPC, unsigned steps = AnyStep);
    ~FaultInjector();
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    // Steps counted so far, and whether the failure was served.
    int steps() const;
    bool fired() const;
    // What the failing call was ("write", "rename", ...), for the test's messages.
    QString firedAt() const;
};

} // namespace tavorel::test
