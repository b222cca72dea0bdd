#pragma once

#include <QWidget>

class QAbstractButton;

namespace tavlen {

class AppSettings;
class NotificationCenter;
class SymbolView;

// The line at the foot of the sheet: "Tavlen", the eye button that switches `showAllMenus`
// (only with experimental features; it takes effect with the next sheet), and the gear that
// asks for the settings window. Drawn in gray at half opacity.
class CreditsView : public QWidget {
    Q_OBJECT
public:
    CreditsView(AppSettings& appSettings, NotificationCenter& notifications, QWidget* parent = nullptr);

    // Null without experimental features.
    QAbstractButton* eyeButton() const { return m_eye; }
    QAbstractButton* gearButton() const { return m_gear; }
    // "eye" while every menu is shown, "eye.slash" otherwise.
    QString eyeSymbolName() const;

private:
    AppSettings& m_appSettings;
    QAbstractButton* m_eye = nullptr;
    QAbstractButton* m_gear = nullptr;
    SymbolView* m_eyeSymbol = nullptr;
};

} // namespace tavlen
