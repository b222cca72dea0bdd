#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

class QAbstractButton;

namespace tavlen {

class AppSettings;
class NotificationCenter;
class SymbolView;

// The line at the foot of the sheet: "Tavlen", the eye button that switches `showAllMenus`
// (only with experimental features; it takes effect with the next sheet), and the gear that
// asks for the settings window. Drawn quieter than the rows, in footerTextColour.
class CreditsView : public QWidget {
    Q_OBJECT
public:
    CreditsView(AppSettings& appSettings, NotificationCenter& notifications, QWidget* parent = nullptr);

    // Null without experimental features.
    QAbstractButton* eyeButton() const { return m_eye; }
    QAbstractButton* gearButton() const { return m_gear; }
    // The palette's text colour blended towards its background, still legible (WCAG AA).
    static QColor footerTextColour(const QPalette& palette);
    // "eye" while every menu is shown, "eye.slash" otherwise.
    QString eyeSymbolName() const;

private:
    AppSettings& m_appSettings;
    QAbstractButton* m_eye = nullptr;
    QAbstractButton* m_gear = nullptr;
    SymbolView* m_eyeSymbol = nullptr;
};

} // namespace tavlen
