#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;

namespace tavlen {

class AppSettings;
class NotificationCenter;

// Shown instead of the sheet or the legend while Tavlen may not read other applications'
// menus: the request, the button that asks for access, and the credits line (with the
// setting `showCredits`).
class NoAccessView : public QWidget {
    Q_OBJECT
public:
    // `openSettings` is handed `urlSettings` when the button is pressed.
    NoAccessView(QString urlSettings, AppSettings& appSettings, NotificationCenter& notifications,
                 bool skipImage, std::function<void(const QString&)> openSettings, QWidget* parent = nullptr);

    static QString requestText()
    {
        return QStringLiteral("Please grant 'Tavlen' permission to Accessibility API");
    }

    const QString& urlSettings() const { return m_urlSettings; }
    bool skipImage() const { return m_skipImage; }
    QPushButton* openButton() const { return m_button; }

private:
    QString m_urlSettings;
    bool m_skipImage;
    QPushButton* m_button;
};

} // namespace tavlen
