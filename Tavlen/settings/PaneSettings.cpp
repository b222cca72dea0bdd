#include "settings/PaneSettings.h"

#include "platform/UserDefaultsStore.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredValue.h"

namespace tavlen {

namespace declared = SettingsDefaults;

PaneSettings::PaneSettings(UserDefaultsStore& defaults, QObject* parent)
    : QObject(parent), m_defaults(defaults)
{
    connect(&m_defaults, &UserDefaultsStore::valueChanged, this, &PaneSettings::storedValueChanged);
}

void PaneSettings::storedValueChanged(const QString& key)
{
    if (key == SettingsKeys::activationKeyType)
        Q_EMIT activationKeyTypeChanged();
    else if (key == SettingsKeys::keyHoldingDelay)
        Q_EMIT keyHoldingDelayChanged();
    else if (key == SettingsKeys::showPersistentWindowOnTheRight)
        Q_EMIT showPersistentWindowOnTheRightChanged();
    else if (key == SettingsKeys::hideMenuIcon)
        Q_EMIT hideMenuIconChanged();
    else if (key == SettingsKeys::launchAtLogin)
        Q_EMIT launchAtLoginChanged();
}

bool PaneSettings::boolValue(QLatin1String key, bool declaredDefault) const
{
    return StoredValue::toBool(m_defaults.value(key)).value_or(declaredDefault);
}

int PaneSettings::activationKeyType() const
{
    return StoredValue::toInt(m_defaults.value(SettingsKeys::activationKeyType))
        .value_or(declared::activationKeyType);
}

void PaneSettings::setActivationKeyType(int value)
{
    m_defaults.setValue(SettingsKeys::activationKeyType, value);
}

double PaneSettings::keyHoldingDelay() const
{
    return StoredValue::toDouble(m_defaults.value(SettingsKeys::keyHoldingDelay))
        .value_or(declared::keyHoldingDelay);
}

void PaneSettings::setKeyHoldingDelay(double value)
{
    m_defaults.setValue(SettingsKeys::keyHoldingDelay, value);
}

bool PaneSettings::showPersistentWindowOnTheRight() const
{
    return boolValue(SettingsKeys::showPersistentWindowOnTheRight, declared::showPersistentWindowOnTheRight);
}

void PaneSettings::setShowPersistentWindowOnTheRight(bool value)
{
    m_defaults.setValue(SettingsKeys::showPersistentWindowOnTheRight, value);
}

bool PaneSettings::hideMenuIcon() const
{
    return boolValue(SettingsKeys::hideMenuIcon, declared::hideMenuIcon);
}

void PaneSettings::setHideMenuIcon(bool value)
{
    m_defaults.setValue(SettingsKeys::hideMenuIcon, value);
}

bool PaneSettings::launchAtLogin() const
{
    return boolValue(SettingsKeys::launchAtLogin, declared::launchAtLogin);
}

void PaneSettings::setLaunchAtLogin(bool value)
{
    m_defaults.setValue(SettingsKeys::launchAtLogin, value);
}

} // namespace tavlen
