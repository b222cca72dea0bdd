#include "core/windows/settings/AboutView.h"

#include "core/windows/settings/HeadingLabel.h"
#include "core/windows/settings/SettingsSymbol.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr int iconSide = 96;
constexpr double nameScale = 2.0;
} // namespace

AboutView::AboutView(const QString& version, const QIcon& appIcon, QWidget* parent)
    : SettingsPane(QStringLiteral("About"), parent)
{
    auto* content = new QWidget;
    auto* stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 12, 0, 0);
    stack->setSpacing(8);

    const QIcon icon = appIcon.isNull() ? QApplication::windowIcon() : appIcon;
    if (!icon.isNull()) {
        auto* picture = new QLabel(content);
        picture->setPixmap(icon.pixmap(iconSide, iconSide));
        stack->addWidget(picture, 0, Qt::AlignHCenter);
    } else {
        auto* symbol = new SettingsSymbol(QStringLiteral("command"), iconSide, content);
        stack->addWidget(symbol, 0, Qt::AlignHCenter);
    }

    stack->addWidget(headingLabel(QStringLiteral("Tavlen"), nameScale, content), 0, Qt::AlignHCenter);

    m_version = new QLabel(QStringLiteral("Version %1").arg(version), content);
    m_version->setVisible(!version.isEmpty());
    stack->addWidget(m_version, 0, Qt::AlignHCenter);

    auto* summary = new QLabel(
        QStringLiteral(
            "Shows the keyboard shortcuts of the frontmost application.\n\nPress the ⌘ (Super) key "
            "twice and hold it to see them."),
        content);
    summary->setAlignment(Qt::AlignHCenter);
    summary->setWordWrap(true);
    stack->addSpacing(6);
    stack->addWidget(summary);
    addContent(content);
}

} // namespace tavlen
