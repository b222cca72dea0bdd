#pragma once

#include <QLabel>

namespace tavlen {

// A row title in the system font of size `fontSize`, on one line when titles are limited
// (the rows pass the already shortened title), wrapping otherwise.
class TitleView : public QLabel {
    Q_OBJECT
public:
    TitleView(const QString& title, double fontSize, bool singleLine, QWidget* parent = nullptr);

    // The title on one line: the room it asks for. Given less, a wrapping title takes the lines
    // it needs (heightForWidth), so it wraps only where the column is narrower than the title.
    QSize sizeHint() const override;

protected:
    // The layouts of the sheet give a row the height of its hint; a title that wraps at the width
    // it was given claims the height of its lines here, so that no line is cut.
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace tavlen
