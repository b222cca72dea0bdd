#pragma once

#include "sheet/RowServices.h"

#include <QSizeF>
#include <QWidget>
#include <optional>

class QLabel;

namespace tavlen {

class MenuItemView;
class LegendView;
class NoAccessView;

// The content of the shortcut panel. Asked for from another application (`isGlobal`): the
// sheet with the setting's number of columns, or the no-access view. Asked for while Tavlen
// itself is frontmost: Tavlen's heading, one line saying what the legend is, and the legend (or
// the no-access view). Tavlen's own window in front is its Settings, where these styles are
// chosen: the legend shows them as they are set, which the application behind could not. Its size is
// fixed when it is created, from the main screen's visible frame.
class HotkeysView : public QWidget {
    Q_OBJECT
public:
    // The system settings location the no-access view points at.
    static constexpr QLatin1String accessibilitySettingsUrl{
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"};

    // `visibleFrame`: the main screen's, measured by the caller (see mainScreenVisibleFrame).
    HotkeysView(const RowServices& services, bool isGlobal, const std::optional<QSizeF>& visibleFrame,
                QWidget* parent = nullptr);

    bool isGlobal() const { return m_isGlobal; }
    double panelWidth() const { return m_panelSize.width(); }
    double panelHeight() const { return m_panelSize.height(); }

    static QString legendCaptionText()
    {
        return QStringLiteral("Over another application this panel lists its menus' shortcuts. Each "
                              "kind of entry looks like this:");
    }

    // Exactly one of these is set, as the content was decided.
    MenuItemView* sheet() const { return m_sheet; }
    LegendView* legend() const { return m_legend; }
    // The line above the legend; null without one.
    QLabel* legendCaption() const { return m_legendCaption; }
    NoAccessView* noAccess() const { return m_noAccess; }

private:
    bool m_isGlobal;
    QSizeF m_panelSize;
    MenuItemView* m_sheet = nullptr;
    LegendView* m_legend = nullptr;
    QLabel* m_legendCaption = nullptr;
    NoAccessView* m_noAccess = nullptr;
};

// A panel's no-access view: its button asks for access the only way the desktop offers,
// switching the accessibility bus on.
NoAccessView* accessRequestView(const RowServices& services, QWidget* parent);

} // namespace tavlen
