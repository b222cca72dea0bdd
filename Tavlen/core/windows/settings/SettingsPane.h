#pragma once

#include <QScrollArea>

class QLabel;
class QVBoxLayout;

namespace tavlen {

class FormSection;
class ToggleSwitch;

// A pane of the settings window: its title, then its sections, scrolling when they are taller
// than the window.
class SettingsPane : public QScrollArea {
    Q_OBJECT
public:
    explicit SettingsPane(const QString& title, QWidget* parent = nullptr);

    QString title() const;
    QList<FormSection*> sections() const;
    // The section with that heading; null when there is none.
    FormSection* section(const QString& heading) const;
    // The switch with that label, exactly as written; null when there is none.
    ToggleSwitch* toggle(const QString& label) const;

protected:
    FormSection* addSection(const QString& heading);
    // A section's worth of content without the rounded panel (a plain text, an image).
    void addContent(QWidget* content);

private:
    QWidget* m_body;
    QVBoxLayout* m_stack;
    QLabel* m_title;
};

} // namespace tavlen
