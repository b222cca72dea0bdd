#pragma once

#include <QLatin1String>
#include <QObject>

namespace tavlen {

class UserDefaultsStore;

// The preferences that the settings panes bind but AppSettings does not carry, read with the
// defaults the panes present while a key was never written: activation type 1, a hold of half
// a second, the persistent panel on the left, the menu icon shown, launch at login on. The
// controller reads the same keys without defaults (UserDefaults), so until the user picks a
// value the two may differ; that is by design, and the controller corrects the activation
// settings at its first launch.
//
// Like AppSettings, every change of one of these keys, made here or anywhere else, emits the
// property's NOTIFY signal after the store holds the new value.
class PaneSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(int activationKeyType READ activationKeyType WRITE setActivationKeyType NOTIFY
                   activationKeyTypeChanged)
    Q_PROPERTY(
        double keyHoldingDelay READ keyHoldingDelay WRITE setKeyHoldingDelay NOTIFY keyHoldingDelayChanged)
    Q_PROPERTY(bool showPersistentWindowOnTheRight READ showPersistentWindowOnTheRight WRITE
                   setShowPersistentWindowOnTheRight NOTIFY showPersistentWindowOnTheRightChanged)
    Q_PROPERTY(bool hideMenuIcon READ hideMenuIcon WRITE setHideMenuIcon NOTIFY hideMenuIconChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)

public:
    explicit PaneSettings(UserDefaultsStore& defaults, QObject* parent = nullptr);

    int activationKeyType() const;
    void setActivationKeyType(int value);
    double keyHoldingDelay() const;
    void setKeyHoldingDelay(double value);
    bool showPersistentWindowOnTheRight() const;
    void setShowPersistentWindowOnTheRight(bool value);
    bool hideMenuIcon() const;
    void setHideMenuIcon(bool value);
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool value);

Q_SIGNALS:
    void activationKeyTypeChanged();
    void keyHoldingDelayChanged();
    void showPersistentWindowOnTheRightChanged();
    void hideMenuIconChanged();
    void launchAtLoginChanged();

private:
    void storedValueChanged(const QString& key);
    bool boolValue(QLatin1String key, bool declaredDefault) const;

    UserDefaultsStore& m_defaults;
};

} // namespace tavlen
