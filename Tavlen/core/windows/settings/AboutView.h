#pragma once

#include "core/windows/settings/SettingsPane.h"

#include <QIcon>

class QLabel;

namespace tavlen {

// "About": Tavlen's icon, name, version and what it does.
class AboutView : public SettingsPane {
    Q_OBJECT
public:
    // No version line for an empty `version`; `appIcon` defaults to the application's icon.
    explicit AboutView(const QString& version, const QIcon& appIcon = QIcon(), QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_version; }

private:
    QLabel* m_version = nullptr;
};

} // namespace tavlen
