#pragma once

#include "harvest/ShortcutSupplier.h"

#include <QList>
#include <QString>

namespace tavlen::linux_harvest {

// Where an application keeps its key bindings in GSettings: one string key per command, holding
// an accelerator in GTK notation or "disabled".
struct KeyBindingSchema {
    QString applicationIdentifier;
    QString schemaIdentifier;
    // The path of a relocatable schema; empty for a schema that has its own.
    QString path;
    // The title of the group the bindings are shown in.
    QString groupTitle;
    // What every key's summary starts with and the sheet leaves out ("Keyboard shortcut to "),
    // in the schema's own language: a translated summary is shown whole.
    QString summaryPrefix;
    // The schema's gettext domain (its `gettext-domain`), which GIO does not tell.
    QString gettextDomain;
};

// The key bindings the user has now, read from GSettings through GIO, for the applications that
// keep them there; titled by each key's summary, which GIO translates through the schema's gettext
// domain. An application whose schema is not installed gives nothing. Bindings whose keys a menu
// entry already shows are left out, as for shortcut lists.
class KeyBindingSettingsSupplier final : public ShortcutSupplier {
public:
    explicit KeyBindingSettingsSupplier(QList<KeyBindingSchema> schemas = knownSchemas());

    // The applications Tavlen knows to keep their key bindings in GSettings.
    static QList<KeyBindingSchema> knownSchemas();

    QString sourceName() const override;
    QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>& menus) override;

private:
    QList<KeyBindingSchema> m_schemas;
};

} // namespace tavlen::linux_harvest
