#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tavorel::test {

// Makes a named pipe at `path`; false where the system has none.
bool makePipe(const QString& path);
bool isPipe(const QString& path);

// Runs `action` on this thread and tells whether it came back by itself within `seconds`. An
// action stuck on opening one of `pipes` is let go when the time is up (the pipe is opened from
// the other end until the action returns), so that a program that waits on a pipe fails its test
// instead of hanging it.
bool returnsWithin(const QStringList& pipes, int seconds, const std::function<void()>& action);

} // namespace tavorel::test
