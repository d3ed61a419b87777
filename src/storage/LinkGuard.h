#pragma once

#include <QString>

namespace tavorel {

// What the program writes into its own folder (attachment copies, member photos, exports saved
// there) never goes through a symbolic link or a junction: a link left inside the folder, or one
// of its subfolders being a link, would put the file somewhere outside it.
//
// True when `path` lies inside `root` and the path itself, or a folder between it and `root`, is
// a link. A path outside `root` is the user's own choice and is not judged here; `root` itself may
// be reached through links (a program folder on a mounted drive).
bool passesThroughLink(const QString& root, const QString& path);

} // namespace tavorel
