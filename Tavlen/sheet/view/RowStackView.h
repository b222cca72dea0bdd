#pragma once

#include <QList>
#include <QWidget>
#include <functional>

namespace tavlen {

// The rows of one section, stacked, with the hover highlight drawn behind the row under the
// pointer: a rounded rectangle in the default text colour at 0.1 opacity, reaching 3 points
// above and below and 5 to each side of the row (into its neighbours' room, which is why the
// stack draws it rather than the row).
class RowStackView : public QWidget {
    Q_OBJECT
public:
    explicit RowStackView(QWidget* parent = nullptr);

    // Adds a row; `isHovered` is asked when the stack paints, `hoveredChanged` a signal of the
    // row that tells it to repaint.
    template <typename Row>
    void addRow(Row* row)
    {
        addRowWidget(row, [row] { return row->isHovered(); });
        connect(row, &Row::hoveredChanged, this, qOverload<>(&QWidget::update));
    }

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    QWidget* rowAt(int index) const { return m_rows.at(index).widget; }

    // The highlight's rectangle around a row, in the stack's coordinates.
    static QRectF highlightRect(const QRect& rowGeometry);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addRowWidget(QWidget* row, std::function<bool()> isHovered);

    struct Row {
        QWidget* widget;
        std::function<bool()> isHovered;
    };
    QList<Row> m_rows;
};

} // namespace tavlen
