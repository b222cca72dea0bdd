#include "core/windows/settings/SettingsPane.h"

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/HeadingLabel.h"
#include "core/windows/settings/ToggleSwitch.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr double titleScale = 1.5;
constexpr int sectionSpacing = 14;
} // namespace

SettingsPane::SettingsPane(const QString& title, QWidget* parent)
    : QScrollArea(parent)
    , m_body(new QWidget)
    , m_stack(new QVBoxLayout(m_body))
    , m_title(headingLabel(title, titleScale, m_body))
{
    setObjectName(title);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The pane shows the window's background, not a text field's.
    viewport()->setAutoFillBackground(false);
    m_body->setAutoFillBackground(false);

    m_stack->setContentsMargins(24, 14, 24, 18);
    m_stack->setSpacing(sectionSpacing);
    m_stack->addWidget(m_title);
    m_stack->addStretch(1);
    setWidget(m_body);
}

QString SettingsPane::title() const
{
    return m_title->text();
}

QList<FormSection*> SettingsPane::sections() const
{
    return m_body->findChildren<FormSection*>(Qt::FindDirectChildrenOnly);
}

FormSection* SettingsPane::section(const QString& heading) const
{
    for (FormSection* candidate : sections()) {
        if (candidate->heading() == heading)
            return candidate;
    }
    return nullptr;
}

ToggleSwitch* SettingsPane::toggle(const QString& label) const
{
    for (ToggleSwitch* control : m_body->findChildren<ToggleSwitch*>()) {
        if (control->text() == label)
            return control;
    }
    return nullptr;
}

FormSection* SettingsPane::addSection(const QString& heading)
{
    auto* section = new FormSection(heading, m_body);
    // Before the closing stretch.
    m_stack->insertWidget(m_stack->count() - 1, section);
    return section;
}

void SettingsPane::addContent(QWidget* content)
{
    content->setParent(m_body);
    m_stack->insertWidget(m_stack->count() - 1, content);
}

} // namespace tavlen
