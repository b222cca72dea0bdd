#pragma once

#include "harvest/HarvestSettings.h"
#include "settings/SliderScale.h"
#include "shared/TavlenIdentifiers.h"
#include "store/AppItem.h"

#include <QLatin1String>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

namespace tavlen {

class ApplicationDirectory;
class FileLocations;
class FileSystem;
class UserDefaultsStore;

// The preferences and run-time flags that views and models share; one instance per process.
//
// Stored properties read the store on every access and fall back to their declared default
// when the key was never written or holds a value of another type (see StoredValue). Their
// setters write the store; whoever changes a stored key (these setters, UserDefaults, another
// process editing the file) makes this object emit the property's NOTIFY signal and then
// changed(). Observers run after the change, so they read the new value.
class AppSettings : public QObject {
    Q_OBJECT

    Q_PROPERTY(
        bool pauseMonitoring READ pauseMonitoring WRITE setPauseMonitoring NOTIFY pauseMonitoringChanged)
    Q_PROPERTY(bool blockedMonitoring READ blockedMonitoring WRITE setBlockedMonitoring NOTIFY
                   blockedMonitoringChanged)
    Q_PROPERTY(QStringList browsers READ browsers WRITE setBrowsers NOTIFY browsersChanged)
    Q_PROPERTY(bool customShortcutsAvailable READ customShortcutsAvailable WRITE setCustomShortcutsAvailable
                   NOTIFY customShortcutsAvailableChanged)
    Q_PROPERTY(tavlen::AppItem selectedAppInSetings READ selectedAppInSetings WRITE setSelectedAppInSetings
                   NOTIFY selectedAppInSetingsChanged)
    Q_PROPERTY(bool experimentalFeatures READ experimentalFeatures WRITE setExperimentalFeatures NOTIFY
                   experimentalFeaturesChanged)

    Q_PROPERTY(
        int amountOfColumns READ amountOfColumns WRITE setAmountOfColumns NOTIFY amountOfColumnsChanged)
    Q_PROPERTY(int activationPersistentKeyType READ activationPersistentKeyType WRITE
                   setActivationPersistentKeyType NOTIFY activationPersistentKeyTypeChanged)
    Q_PROPERTY(QString appearance READ appearance WRITE setAppearance NOTIFY appearanceChanged)
    Q_PROPERTY(bool applyLimitToBrowsers READ applyLimitToBrowsers WRITE setApplyLimitToBrowsers NOTIFY
                   applyLimitToBrowsersChanged)
    Q_PROPERTY(bool applyLimitToTitles READ applyLimitToTitles WRITE setApplyLimitToTitles NOTIFY
                   applyLimitToTitlesChanged)
    Q_PROPERTY(bool enableCustomShortcuts READ enableCustomShortcuts WRITE setEnableCustomShortcuts NOTIFY
                   enableCustomShortcutsChanged)
    Q_PROPERTY(double fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
    Q_PROPERTY(int limitElements READ limitElements WRITE setLimitElements NOTIFY limitElementsChanged)
    Q_PROPERTY(double limitTitles READ limitTitles WRITE setLimitTitles NOTIFY limitTitlesChanged)
    Q_PROPERTY(bool showAllMenus READ showAllMenus WRITE setShowAllMenus NOTIFY showAllMenusChanged)
    Q_PROPERTY(bool showAppIcon READ showAppIcon WRITE setShowAppIcon NOTIFY showAppIconChanged)
    Q_PROPERTY(bool showBookmarks READ showBookmarks WRITE setShowBookmarks NOTIFY showBookmarksChanged)
    Q_PROPERTY(bool showCredits READ showCredits WRITE setShowCredits NOTIFY showCreditsChanged)
    Q_PROPERTY(
        bool showInactiveMenu READ showInactiveMenu WRITE setShowInactiveMenu NOTIFY showInactiveMenuChanged)
    Q_PROPERTY(bool showHotkeyOnTheRight READ showHotkeyOnTheRight WRITE setShowHotkeyOnTheRight NOTIFY
                   showHotkeyOnTheRightChanged)
    Q_PROPERTY(bool showLocalizedCustomShortcuts READ showLocalizedCustomShortcuts WRITE
                   setShowLocalizedCustomShortcuts NOTIFY showLocalizedCustomShortcutsChanged)
    Q_PROPERTY(bool showUserHiddenElements READ showUserHiddenElements WRITE setShowUserHiddenElements NOTIFY
                   showUserHiddenElementsChanged)

public:
    // Reads one environment variable; none when it is not set.
    using EnvironmentReader = std::function<std::optional<QString>(const char* name)>;

    static constexpr QLatin1String APP_IDENTIFIER{ids::APP_IDENTIFIER, sizeof(ids::APP_IDENTIFIER) - 1};
    static constexpr QLatin1String XPC_SERVICE_IDENTIFIER{ids::XPC_SERVICE_IDENTIFIER,
                                                          sizeof(ids::XPC_SERVICE_IDENTIFIER) - 1};
    static constexpr QLatin1String UPDATE_NOTIFICATION_IDENTIFIER{"Fenwater_Tavlen_UpdateCheck"};
    static constexpr QLatin1String APP_CUSTOM_SHORTCUTS{"com.houdah.CustomShortcuts"};

    AppSettings(UserDefaultsStore& defaults, const FileLocations& locations, const FileSystem& files,
                const ApplicationDirectory& applications, EnvironmentReader environment,
                QObject* parent = nullptr);

    // The reader of this process's own environment.
    static EnvironmentReader processEnvironment();

    // The store behind the stored properties, for the few keys bound elsewhere (PaneSettings).
    UserDefaultsStore& defaults() const { return m_defaults; }

    // Unstored run-time flags.
    bool pauseMonitoring() const { return m_pauseMonitoring; }
    void setPauseMonitoring(bool value);
    bool blockedMonitoring() const { return m_blockedMonitoring; }
    void setBlockedMonitoring(bool value);
    const QStringList& browsers() const { return m_browsers; }
    void setBrowsers(const QStringList& value);
    bool customShortcutsAvailable() const { return m_customShortcutsAvailable; }
    void setCustomShortcutsAvailable(bool value);
    const AppItem& selectedAppInSetings() const { return m_selectedAppInSetings; }
    void setSelectedAppInSetings(const AppItem& value);
    bool experimentalFeatures() const { return m_experimentalFeatures; }
    void setExperimentalFeatures(bool value);

    // Stored preferences.
    int amountOfColumns() const;
    void setAmountOfColumns(int value);
    int activationPersistentKeyType() const;
    void setActivationPersistentKeyType(int value);
    // The raw value as stored: usually one of the Appearance raw values, but an unknown
    // string is passed through so that the views can apply no scheme for it.
    QString appearance() const;
    void setAppearance(const QString& value);
    bool applyLimitToBrowsers() const;
    void setApplyLimitToBrowsers(bool value);
    bool applyLimitToTitles() const;
    void setApplyLimitToTitles(bool value);
    bool enableCustomShortcuts() const;
    void setEnableCustomShortcuts(bool value);
    double fontSize() const;
    void setFontSize(double value);
    int limitElements() const;
    void setLimitElements(int value);
    double limitTitles() const;
    void setLimitTitles(double value);
    bool showAllMenus() const;
    // What a harvest reads of the settings, as they are now.
    HarvestSettings harvestSettings() const;
    void setShowAllMenus(bool value);
    bool showAppIcon() const;
    void setShowAppIcon(bool value);
    bool showBookmarks() const;
    void setShowBookmarks(bool value);
    bool showCredits() const;
    void setShowCredits(bool value);
    bool showInactiveMenu() const;
    void setShowInactiveMenu(bool value);
    bool showHotkeyOnTheRight() const;
    void setShowHotkeyOnTheRight(bool value);
    bool showLocalizedCustomShortcuts() const;
    void setShowLocalizedCustomShortcuts(bool value);
    bool showUserHiddenElements() const;
    void setShowUserHiddenElements(bool value);

    // Reads the browser list from the shipped "Additional.plist": the dictionary's "Browsers"
    // entry when it is an array of strings, otherwise (file missing, unreadable, malformed,
    // another shape) the empty list.
    void loadBrowsers();
    // Whether the CustomShortcuts application is installed; called again whenever the answer
    // may have changed.
    void refreshCustomShortcutsAvailable();
    // Experimental controls are on when TAVLEN_EXPERIMENTAL is exactly "true".
    void loadExperimentalFeatures();

Q_SIGNALS:
    // After any property of this object changed, following the property's own signal.
    void changed();

    void pauseMonitoringChanged();
    void blockedMonitoringChanged();
    void browsersChanged();
    void customShortcutsAvailableChanged();
    void selectedAppInSetingsChanged();
    void experimentalFeaturesChanged();

    void amountOfColumnsChanged();
    void activationPersistentKeyTypeChanged();
    void appearanceChanged();
    void applyLimitToBrowsersChanged();
    void applyLimitToTitlesChanged();
    void enableCustomShortcutsChanged();
    void fontSizeChanged();
    void limitElementsChanged();
    void limitTitlesChanged();
    void showAllMenusChanged();
    void showAppIconChanged();
    void showBookmarksChanged();
    void showCreditsChanged();
    void showInactiveMenuChanged();
    void showHotkeyOnTheRightChanged();
    void showLocalizedCustomShortcutsChanged();
    void showUserHiddenElementsChanged();

private:
    void storedValueChanged(const QString& key);
    template <typename T>
    void assign(T& field, const T& value, void (AppSettings::*notify)());

    bool boolValue(QLatin1String key, bool declaredDefault) const;
    int intValue(QLatin1String key, int declaredDefault) const;
    // Numbers are read through the range the Settings window offers for them: a hand-edited
    // file can make the sheet no less readable than the window can. The file is left as it is.
    static double inRange(double value, const SliderScale& scale, double declaredDefault);
    double doubleValue(QLatin1String key, double declaredDefault) const;

    UserDefaultsStore& m_defaults;
    const FileLocations& m_locations;
    const FileSystem& m_files;
    const ApplicationDirectory& m_applications;
    EnvironmentReader m_environment;

    bool m_pauseMonitoring = false;
    bool m_blockedMonitoring = false;
    QStringList m_browsers;
    bool m_customShortcutsAvailable = false;
    AppItem m_selectedAppInSetings;
    bool m_experimentalFeatures = false;
};

} // namespace tavlen
