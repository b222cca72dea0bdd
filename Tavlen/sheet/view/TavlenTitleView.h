#pragma once

#include <QIcon>
#include <QWidget>

namespace tavlen {

class AppSettings;

// Tavlen's own heading: its icon (with the setting `showAppIcon`) and "Tavlen" at fontSize + 7
// in a line 32 points high, then a divider with 6 points below it.
class TavlenTitleView : public QWidget {
    Q_OBJECT
public:
    // `appIcon` is Tavlen's own icon, by default the application's window icon.
    explicit TavlenTitleView(const AppSettings& appSettings, const QIcon& appIcon = QIcon(),
                             QWidget* parent = nullptr);
};

} // namespace tavlen
