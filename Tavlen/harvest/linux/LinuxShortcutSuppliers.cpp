#include "harvest/linux/LinuxShortcutSuppliers.h"

#include "harvest/linux/KeyBindingSettingsSupplier.h"
#include "harvest/linux/ShortcutListSupplier.h"
#include "harvest/linux/ShortcutsWindowSupplier.h"

namespace tavlen::linux_harvest {

LinuxShortcutSuppliers::LinuxShortcutSuppliers(const DataFolders& dataFolders, FileSystem& files)
{
    m_suppliers.push_back(std::make_unique<ShortcutsWindowSupplier>());
    m_suppliers.push_back(std::make_unique<ShortcutListSupplier>(dataFolders, files));
    m_suppliers.push_back(std::make_unique<KeyBindingSettingsSupplier>());
}

LinuxShortcutSuppliers::~LinuxShortcutSuppliers() = default;

ShortcutSuppliers LinuxShortcutSuppliers::all() const
{
    ShortcutSuppliers suppliers;
    for (const std::unique_ptr<ShortcutSupplier>& supplier : m_suppliers)
        suppliers.append(supplier.get());
    return suppliers;
}

} // namespace tavlen::linux_harvest
