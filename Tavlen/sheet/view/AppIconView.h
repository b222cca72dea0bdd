#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <optional>

namespace tavlen {

// An application icon in a square frame `size` points wide, stretched to fill it. Without an
// image it shows the ⌘ pictogram at 0.75 × size when `fallback` is set, and nothing (taking no
// room) otherwise.
class AppIconView : public QWidget {
    Q_OBJECT
public:
    AppIconView(const QIcon& image, double size, bool fallback, QWidget* parent = nullptr);

    // An icon by the name the desktop entry gives (a theme name or an image path).
    static QIcon iconNamed(const std::optional<QString>& nameOrPath);

    bool hasImage() const { return !m_image.isNull(); }
    bool showsFallback() const { return m_image.isNull() && m_fallback; }
    double fallbackFontSize() const { return 0.75 * m_size; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_image;
    double m_size;
    bool m_fallback;
};

} // namespace tavlen
