#pragma once

#include "core/windows/settings/TickSlider.h"
#include "core/windows/settings/ToggleSwitch.h"

#include <QComboBox>
#include <QObject>
#include <QSignalBlocker>
#include <QVariant>
#include <utility>

namespace tavlen {

// Ties a control to one setting both ways: the control shows the setting's value, a change
// by the user writes the setting at once, and a change of the setting made anywhere else
// (another pane, the sheet, another process editing the file) moves the control. `Settings`
// is AppSettings or PaneSettings: a getter, a setter and the NOTIFY signal of one property.
class SettingBinding {
public:
    template <typename Settings>
    static ToggleSwitch* toggle(ToggleSwitch* control, Settings& settings, bool (Settings::*read)() const,
                                void (Settings::*write)(bool), void (Settings::*notify)())
    {
        control->setChecked((settings.*read)());
        QObject::connect(control, &QAbstractButton::toggled, &settings,
                         [&settings, write](bool on) { (settings.*write)(on); });
        QObject::connect(&settings, notify, control, [control, &settings, read] {
            const QSignalBlocker quiet(control);
            control->setChecked((settings.*read)());
        });
        return control;
    }

    // A picker whose entries carry the stored values as their data. A stored value that no
    // entry has leaves the picker without a selection rather than showing a wrong one.
    template <typename Settings, typename Value>
    static QComboBox* picker(QComboBox* control, Settings& settings, Value (Settings::*read)() const,
                             void (Settings::*write)(Value), void (Settings::*notify)())
    {
        const auto show = [control, &settings, read] {
            const QSignalBlocker quiet(control);
            control->setCurrentIndex(control->findData(QVariant::fromValue((settings.*read)())));
        };
        show();
        QObject::connect(control, &QComboBox::currentIndexChanged, &settings,
                         [control, &settings, write](int index) {
                             if (index >= 0)
                                 (settings.*write)(control->itemData(index).template value<Value>());
                         });
        QObject::connect(&settings, notify, control, show);
        return control;
    }

    // As picker, for string values passed by reference.
    template <typename Settings>
    static QComboBox* textPicker(QComboBox* control, Settings& settings, QString (Settings::*read)() const,
                                 void (Settings::*write)(const QString&), void (Settings::*notify)())
    {
        const auto show = [control, &settings, read] {
            const QSignalBlocker quiet(control);
            control->setCurrentIndex(control->findData((settings.*read)()));
        };
        show();
        QObject::connect(control, &QComboBox::currentIndexChanged, &settings,
                         [control, &settings, write](int index) {
                             if (index >= 0)
                                 (settings.*write)(control->itemData(index).toString());
                         });
        QObject::connect(&settings, notify, control, show);
        return control;
    }

    template <typename Settings>
    static TickSlider* slider(TickSlider* control, Settings& settings, double (Settings::*read)() const,
                              void (Settings::*write)(double), void (Settings::*notify)())
    {
        control->setValue((settings.*read)());
        QObject::connect(control, &TickSlider::valueEdited, &settings,
                         [&settings, write](double value) { (settings.*write)(value); });
        QObject::connect(&settings, notify, control,
                         [control, &settings, read] { control->setValue((settings.*read)()); });
        return control;
    }
};

} // namespace tavlen
