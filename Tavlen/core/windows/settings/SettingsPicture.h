#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QWidget;

namespace tavlen {

// The settings window's content (a SettingsView with a tab chosen, or a single pane) drawn
// into an image without a window on screen, for the pictures in docs/. Needs a QApplication
// (the offscreen platform will do). The widget must not be on screen already.
class SettingsPicture {
public:
    static constexpr QSize WindowSize{720, 480};

    static QImage render(QWidget& content, QSize size = WindowSize, qreal devicePixelRatio = 1.0);

    // The window's width and a height that shows the shown pane whole, without scrolling: the
    // window's height grown by what its scroll areas hide. For pictures of panes taller than
    // the window.
    static QSize wholeSize(QWidget& content, int width = WindowSize.width());

    // As render, written as PNG; false (with `error` set) when the file cannot be written.
    static bool save(QWidget& content, const QString& path, QString& error, QSize size = WindowSize,
                     qreal devicePixelRatio = 1.0);
};

} // namespace tavlen
