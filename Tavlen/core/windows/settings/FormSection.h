#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace tavlen {

// One section of a settings pane: its heading, then its rows on a rounded panel, divided by
// thin lines. A row shows its label on the left and its control on the right; a wide row
// (a hint, a preview, a text) fills the panel's width.
class FormSection : public QWidget {
    Q_OBJECT
public:
    explicit FormSection(const QString& heading, QWidget* parent = nullptr);

    QString heading() const;

    // A row "label [mark] … control". `mark` (an information button) follows the label. The
    // row is returned so that a pane can hide it; its label is the row's QLabel.
    QWidget* addRow(const QString& label, QWidget* control, QWidget* mark = nullptr);
    // A row that is all one widget, as wide as the panel.
    QWidget* addWideRow(QWidget* content);

    const QList<QWidget*>& rows() const { return m_rows; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* addRowWidget(QWidget* row);

    QLabel* m_heading;
    QWidget* m_panel;
    QVBoxLayout* m_panelStack;
    QList<QWidget*> m_rows;
};

} // namespace tavlen
