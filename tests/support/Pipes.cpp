#include "support/Pipes.h"

#include <QFile>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavorel::test {

bool makePipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool isPipe(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool returnsWithin(const QStringList& pipes, int seconds, const std::function<void()>& action)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(seconds), [&] { return done; }))
            return;
        rescued = true;
        // Open each pipe from both ends without waiting: a reader or a writer stuck on opening it
        // gets its other end, and reads an empty file or writes into nothing.
        while (!done) {
            lock.unlock();
            for (const QString& pipe : pipes) {
                const QByteArray name = QFile::encodeName(pipe);
                for (int mode : {O_WRONLY | O_NONBLOCK, O_RDONLY | O_NONBLOCK}) {
                    const int fd = ::open(name.constData(), mode);
                    if (fd >= 0) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(20));
                        ::close(fd);
                    }
                }
            }
            lock.lock();
            finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; });
        }
    });
    action();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_all();
    watchdog.join();
    return !rescued;
}

} // namespace tavorel::test
