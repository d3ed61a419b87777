/* The C library calls a FaultInjector can make fail. Each is defined here under its own name and,
 * linked into a test executable that exports it, takes the place of the C library's for every
 * caller in the process (Qt included); it forwards to the next definition (the C library, or a
 * sanitizer's interceptor) unless it is the step chosen to fail. Written in C so that the
 * definitions match the C library's declarations exactly. */
#define _GNU_SOURCE
#include "FaultCalls.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/uio.h>
#include <unistd.h>

static struct {
    atomic_int active;
    char folders[2][PATH_MAX]; /* the folder as given and as resolved */
    int failAt;
    int error;
    unsigned steps;
    atomic_int count;
    atomic_int fired;
    const char* firedAt;
} state;

void tavorel_faults_arm(const char* folder, const char* resolved, int failAt, int error, unsigned steps)
{
    atomic_store(&state.active, 0);
    snprintf(state.folders[0], PATH_MAX, "%s", folder);
    snprintf(state.folders[1], PATH_MAX, "%s", resolved);
    state.failAt = failAt;
    state.error = error;
    state.steps = steps;
    atomic_store(&state.count, 0);
    atomic_store(&state.fired, 0);
    state.firedAt = "";
    atomic_store(&state.active, 1);
}

void tavorel_faults_disarm(void)
{
    atomic_store(&state.active, 0);
}

int tavorel_faults_steps(void)
{
    return atomic_load(&state.count);
}

int tavorel_faults_fired(void)
{
    return atomic_load(&state.fired);
}

const char* tavorel_faults_fired_at(void)
{
    return state.firedAt;
}

static int under(const char* path, const char* folder)
{
    const size_t n = strlen(folder);
    return n > 0 && strncmp(path, folder, n) == 0 && (path[n] == '/' || path[n] == '\0');
}

static int watchedPath(const char* path)
{
    if (!path)
        return 0;
    char absolute[2 * PATH_MAX + 2];
    if (path[0] != '/') {
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof cwd))
            return 0;
        snprintf(absolute, sizeof absolute, "%s/%s", cwd, path);
        path = absolute;
    }
    return under(path, state.folders[0]) || under(path, state.folders[1]);
}

static int watchedFd(int fd)
{
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return 0;
    target[n] = '\0';
    return watchedPath(target);
}

/* True when this call is the one to fail; errno is then set. */
static int failHere(unsigned step, const char* call, const char* path, int fd)
{
    if (!atomic_load(&state.active) || !(state.steps & step))
        return 0;
    if (path ? !watchedPath(path) : !watchedFd(fd))
        return 0;
    const int n = atomic_fetch_add(&state.count, 1) + 1;
    if (n != state.failAt)
        return 0;
    atomic_store(&state.fired, 1);
    state.firedAt = call;
    errno = state.error;
    return 1;
}

#define NEXT(name) (__extension__(__typeof__(&name)) dlsym(RTLD_NEXT, #name))

static int opensForWriting(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

static int takesMode(int flags)
{
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

#define OPEN_BODY(next, ...)                                                                                           \
    mode_t mode = 0;                                                                                                   \
    if (takesMode(flags)) {                                                                                            \
        va_list args;                                                                                                  \
        va_start(args, flags);                                                                                         \
        mode = va_arg(args, mode_t);                                                                                   \
        va_end(args);                                                                                                  \
    }                                                                                                                  \
    if (opensForWriting(flags) && failHere(TAVOREL_FAULT_OPEN, #next, path, -1))                                       \
        return -1;                                                                                                     \
    return NEXT(next)(__VA_ARGS__, flags, mode);

int open(const char* path, int flags, ...)
{
    OPEN_BODY(open, path)
}

int open64(const char* path, int flags, ...)
{
    OPEN_BODY(open64, path)
}

int openat(int dirfd, const char* path, int flags, ...)
{
    OPEN_BODY(openat, dirfd, path)
}

int openat64(int dirfd, const char* path, int flags, ...){OPEN_BODY(openat64, dirfd, path)}

ssize_t write(int fd, const void* buffer, size_t count)
{
    if (failHere(TAVOREL_FAULT_WRITE, "write", NULL, fd))
        return -1;
    return NEXT(write)(fd, buffer, count);
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    if (failHere(TAVOREL_FAULT_WRITE, "pwrite", NULL, fd))
        return -1;
    return NEXT(pwrite)(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset)
{
    if (failHere(TAVOREL_FAULT_WRITE, "pwrite64", NULL, fd))
        return -1;
    return NEXT(pwrite64)(fd, buffer, count, offset);
}

ssize_t writev(int fd, const struct iovec* iov, int count)
{
    if (failHere(TAVOREL_FAULT_WRITE, "writev", NULL, fd))
        return -1;
    return NEXT(writev)(fd, iov, count);
}

int fsync(int fd)
{
    if (failHere(TAVOREL_FAULT_FLUSH, "fsync", NULL, fd))
        return -1;
    return NEXT(fsync)(fd);
}

int fdatasync(int fd)
{
    if (failHere(TAVOREL_FAULT_FLUSH, "fdatasync", NULL, fd))
        return -1;
    return NEXT(fdatasync)(fd);
}

int rename(const char* from, const char* to)
{
    if (failHere(TAVOREL_FAULT_RENAME, "rename", to, -1))
        return -1;
    return NEXT(rename)(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    if (failHere(TAVOREL_FAULT_RENAME, "renameat", to, -1))
        return -1;
    return NEXT(renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    if (failHere(TAVOREL_FAULT_RENAME, "renameat2", to, -1))
        return -1;
    return NEXT(renameat2)(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    if (failHere(TAVOREL_FAULT_RENAME, "linkat", to, -1))
        return -1;
    return NEXT(linkat)(fromDir, from, toDir, to, flags);
}

ssize_t sendfile(int out, int in, off_t* offset, size_t count)
{
    if (failHere(TAVOREL_FAULT_COPY, "sendfile", NULL, out))
        return -1;
    return NEXT(sendfile)(out, in, offset, count);
}

ssize_t sendfile64(int out, int in, off64_t* offset, size_t count)
{
    if (failHere(TAVOREL_FAULT_COPY, "sendfile64", NULL, out))
        return -1;
    return NEXT(sendfile64)(out, in, offset, count);
}

ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t count, unsigned flags)
{
    if (failHere(TAVOREL_FAULT_COPY, "copy_file_range", NULL, out))
        return -1;
    return NEXT(copy_file_range)(in, inOffset, out, outOffset, count, flags);
}
