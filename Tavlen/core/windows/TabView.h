#pragma once

#include <QIcon>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;

namespace tavlen {

// A row of tab buttons, each an icon over a title, above the pane of the chosen tab. The
// panes are any widgets; the first tab added is the one shown.
class TabView : public QWidget {
    Q_OBJECT
public:
    explicit TabView(QWidget* parent = nullptr);

    // Takes the pane; returns the tab's index.
    int addTab(QWidget* pane, const QString& title, const QIcon& icon = {});

    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);

    QWidget* pane(int index) const;
    QWidget* currentPane() const;
    QString tabTitle(int index) const;
    QAbstractButton* tabButton(int index) const;

Q_SIGNALS:
    void currentChanged(int index);

private:
    QHBoxLayout* m_bar;
    QButtonGroup* m_buttons;
    QStackedWidget* m_panes;
};

} // namespace tavlen
