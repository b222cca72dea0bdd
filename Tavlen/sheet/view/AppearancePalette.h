#pragma once

#include <QPalette>
#include <QString>
#include <optional>

class QWidget;

namespace tavlen {

// The colour scheme the setting `appearance` asks for: none for "system" (and for a value that
// names no scheme), so the desktop's palette applies; a light or a dark palette otherwise.
std::optional<QPalette> appearancePalette(const QString& appearanceRawValue);

// Gives a panel's content the scheme of the setting; "system" leaves the inherited palette.
void applyAppearance(QWidget& content, const QString& appearanceRawValue);

} // namespace tavlen
