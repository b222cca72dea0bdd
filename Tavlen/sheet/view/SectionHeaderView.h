#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class QLabel;

namespace tavlen {

class AppIconView;

// The heading of one group: the application icon (32 points, only where one is given), then
// the title at fontSize + 7, in a line 32 points high.
class SectionHeaderView : public QWidget {
    Q_OBJECT
public:
    SectionHeaderView(const QString& title, double fontSize, const QIcon& image, QWidget* parent = nullptr);

    QString title() const;
    bool showsImage() const;

private:
    QLabel* m_title;
    AppIconView* m_icon = nullptr;
};

} // namespace tavlen
