#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;

namespace tavlen {

// A row of tab buttons, each an icon over a title, above the pane of the chosen tab. The
// panes are any widgets; the first tab added is the one shown. Buttons that act on the whole
// window (not tabs) can join the row at its right end.
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

    // Takes the button and puts it at the right end of the row, after the ones added before.
    void addBarButton(QAbstractButton* button);
    const QList<QAbstractButton*>& barButtons() const { return m_barButtons; }

Q_SIGNALS:
    void currentChanged(int index);

private:
    QHBoxLayout* m_bar;
    QButtonGroup* m_buttons;
    QStackedWidget* m_panes;
    QList<QAbstractButton*> m_barButtons;
};

} // namespace tavlen
