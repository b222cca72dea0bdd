#pragma once

#include "sheet/RowServices.h"

#include <QLabel>
#include <QSizeF>
#include <QWidget>
#include <optional>

namespace tavlen {

class MenuItemView;
class NoAccessView;

// The content of the persistent panel: the sheet in one column (custom shortcuts below the
// menus) for the application `currentAppIdentifier`, or, while that is Tavlen itself, Tavlen's
// heading with a hint on how to toggle the panel. The panel makes a new one whenever the
// frontmost application changes.
class PersistentView : public QWidget {
    Q_OBJECT
public:
    PersistentView(const RowServices& services, const QString& currentAppIdentifier,
                   const std::optional<QSizeF>& visibleFrame, QWidget* parent = nullptr);

    static QString toggleHint() { return QStringLiteral("Press the ⌘ key three times to toggle this panel"); }

    double panelWidth() const { return m_panelSize.width(); }
    double panelHeight() const { return m_panelSize.height(); }
    MenuItemView* sheet() const { return m_sheet; }
    NoAccessView* noAccess() const { return m_noAccess; }
    QLabel* hint() const { return m_hint; }

private:
    QSizeF m_panelSize;
    MenuItemView* m_sheet = nullptr;
    NoAccessView* m_noAccess = nullptr;
    QLabel* m_hint = nullptr;
};

} // namespace tavlen
