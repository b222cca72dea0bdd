#include "sheet/view/PanelSizes.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tavlen {

namespace {
constexpr double ownPanelWidth = 600.0;
constexpr double ownPanelHeight = 350.0;
} // namespace

QSizeF hotkeysPanelSize(bool isGlobal, const QSizeF& visibleFrame)
{
    if (!isGlobal)
        return {ownPanelWidth, ownPanelHeight};
    return {0.8 * visibleFrame.width(), std::max(0.7 * visibleFrame.height(), ownPanelHeight)};
}

QSizeF persistentPanelSize(const QSizeF& visibleFrame)
{
    return {0.25 * visibleFrame.width(), 0.7 * visibleFrame.height()};
}

double grownPanelHeight(double sheetHeight, double madeHeight, double visibleHeight)
{
    return std::clamp(sheetHeight, madeHeight, std::max(visibleHeight, madeHeight));
}

std::optional<QSizeF> mainScreenVisibleFrame()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    return QSizeF(screen->availableGeometry().size());
}

QSizeF visibleFrameOrFallback(const std::optional<QSizeF>& visibleFrame)
{
    if (visibleFrame && visibleFrame->width() > 0 && visibleFrame->height() > 0)
        return *visibleFrame;
    // Sizes that give the own panel's 600 × 350 for the shortcut panel of another application.
    return {ownPanelWidth / 0.8, ownPanelHeight / 0.7};
}

} // namespace tavlen
