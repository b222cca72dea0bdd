#pragma once

#include <QStringList>

namespace tavlen {
class FileSystem;
}

namespace tavlen::ctl {

// `tavlenctl check-shortcuts FILE`: checks a shortcut list (docs/shortcut-lists.md), naming every
// fault with its place on standard error; answers Done for a list without fault, Failed for one
// with faults or a file that cannot be read, Usage for wrong arguments.
int runCheckShortcuts(const QStringList& arguments, const FileSystem& files);

} // namespace tavlen::ctl
