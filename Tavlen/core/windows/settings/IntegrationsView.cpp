#include "core/windows/settings/IntegrationsView.h"

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/SettingBinding.h"
#include "settings/AppSettings.h"
#include "settings/SettingsTexts.h"

#include <QLabel>

namespace tavlen {

IntegrationsView::IntegrationsView(AppSettings& appSettings, const QString& program, QWidget* parent)
    : SettingsPane(QStringLiteral("Integrations"), parent)
{
    FormSection* customShortcuts = addSection(QStringLiteral("CustomShortcuts"));
    m_customShortcuts = SettingBinding::toggleRow(
        *customShortcuts, QStringLiteral("CustomShortcuts"), appSettings, &AppSettings::enableCustomShortcuts,
        &AppSettings::setEnableCustomShortcuts, &AppSettings::enableCustomShortcutsChanged,
        QStringLiteral("To customize shortcut - right click on menu element"));

    FormSection* otherTools = addSection(QStringLiteral("Other Tools"));
    m_otherTools = new QLabel;
    m_otherTools->setTextFormat(Qt::MarkdownText);
    m_otherTools->setText(SettingsTexts::otherToolsMarkdown(program));
    m_otherTools->setWordWrap(true);
    // The command lines are there to be copied.
    m_otherTools->setTextInteractionFlags(Qt::TextSelectableByMouse);
    otherTools->addWideRow(m_otherTools);
}

} // namespace tavlen
