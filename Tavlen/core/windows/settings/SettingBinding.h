#pragma once

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/InfoButton.h"
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
        return bind(
            control, settings, notify,
            [control, &settings, read] { control->setChecked((settings.*read)()); },
            &QAbstractButton::toggled, [&settings, write](bool on) { (settings.*write)(on); });
    }

    // A switch for the setting in a row of `section`, labelled `label`, with an information
    // button saying `note` when there is one.
    template <typename Settings>
    static ToggleSwitch* toggleRow(FormSection& section, const QString& label, Settings& settings,
                                   bool (Settings::*read)() const, void (Settings::*write)(bool),
                                   void (Settings::*notify)(), const QString& note = {})
    {
        ToggleSwitch* control = toggle(new ToggleSwitch(label), settings, read, write, notify);
        section.addRow(label, control, note.isEmpty() ? nullptr : new InfoButton(note));
        return control;
    }

    // A picker whose entries carry the stored values as their data. A stored value that no
    // entry has leaves the picker without a selection rather than showing a wrong one. The
    // setter takes the value or a reference to it.
    template <typename Settings, typename Value, typename Written>
    static QComboBox* picker(QComboBox* control, Settings& settings, Value (Settings::*read)() const,
                             void (Settings::*write)(Written), void (Settings::*notify)())
    {
        return bind(
            control, settings, notify,
            [control, &settings, read] {
                control->setCurrentIndex(control->findData(QVariant::fromValue((settings.*read)())));
            },
            &QComboBox::currentIndexChanged,
            [control, &settings, write](int index) {
                if (index >= 0)
                    (settings.*write)(control->itemData(index).template value<Value>());
            });
    }

    template <typename Settings>
    static TickSlider* slider(TickSlider* control, Settings& settings, double (Settings::*read)() const,
                              void (Settings::*write)(double), void (Settings::*notify)())
    {
        return bind(
            control, settings, notify, [control, &settings, read] { control->setValue((settings.*read)()); },
            &TickSlider::valueEdited, [&settings, write](double value) { (settings.*write)(value); });
    }

private:
    // Shows the setting now and after every change made elsewhere, quietly, so that the control
    // does not report the shown value as an edit; `edited` hands each edit to `store`.
    template <typename Control, typename Settings, typename Show, typename Edited, typename Store>
    static Control* bind(Control* control, Settings& settings, void (Settings::*notify)(), Show show,
                         Edited edited, Store store)
    {
        const auto showQuietly = [control, show] {
            const QSignalBlocker quiet(control);
            show();
        };
        showQuietly();
        QObject::connect(control, edited, &settings, store);
        QObject::connect(&settings, notify, control, showQuietly);
        return control;
    }
};

} // namespace tavlen
