#include "sheet/view/AppearancePalette.h"

#include "settings/Appearance.h"

#include <QWidget>

namespace tavlen {

namespace {

QPalette schemePalette(const QColor& window, const QColor& text, const QColor& base, const QColor& button,
                       const QColor& highlight)
{
    QPalette palette(button, window);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::AlternateBase, window);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, button);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::ToolTipBase, base);
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::PlaceholderText, QColor(Qt::gray));
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::gray));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(Qt::gray));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(Qt::gray));
    return palette;
}

} // namespace

std::optional<QPalette> appearancePalette(const QString& appearanceRawValue)
{
    const auto appearance = appearanceFromRawValue(appearanceRawValue);
    if (!appearance)
        return std::nullopt;
    switch (*appearance) {
    case Appearance::system:
        return std::nullopt;
    case Appearance::light:
        return schemePalette(QColor(0xec, 0xec, 0xec), QColor(0x1d, 0x1d, 0x1f), Qt::white,
                             QColor(0xf6, 0xf6, 0xf6), QColor(0x30, 0x7b, 0xf6));
    case Appearance::dark:
        return schemePalette(QColor(0x2a, 0x2a, 0x2c), QColor(0xf2, 0xf2, 0xf7), QColor(0x1e, 0x1e, 0x1e),
                             QColor(0x3a, 0x3a, 0x3c), QColor(0x0a, 0x84, 0xff));
    }
    return std::nullopt;
}

void applyAppearance(QWidget& content, const QString& appearanceRawValue)
{
    if (const auto palette = appearancePalette(appearanceRawValue)) {
        content.setPalette(*palette);
        content.setAutoFillBackground(true);
    }
}

} // namespace tavlen
