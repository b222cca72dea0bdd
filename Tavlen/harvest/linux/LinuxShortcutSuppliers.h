#pragma once

#include "harvest/ShortcutSupplier.h"

#include <memory>
#include <vector>

namespace tavlen {
class DataFolders;
class FileSystem;
} // namespace tavlen

namespace tavlen::linux_harvest {

// The sources of shortcuts besides menu bars on this desktop, in the order their groups follow
// the menus. Made once by an executable's main; they live as long as it, and each reader that is
// handed them calls them from one thread at a time, and no two readers are handed them at once.
class LinuxShortcutSuppliers {
public:
    LinuxShortcutSuppliers(const DataFolders& dataFolders, FileSystem& files);
    ~LinuxShortcutSuppliers();
    LinuxShortcutSuppliers(const LinuxShortcutSuppliers&) = delete;
    LinuxShortcutSuppliers& operator=(const LinuxShortcutSuppliers&) = delete;

    ShortcutSuppliers all() const;

private:
    std::vector<std::unique_ptr<ShortcutSupplier>> m_suppliers;
};

} // namespace tavlen::linux_harvest
