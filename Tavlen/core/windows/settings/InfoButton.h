#pragma once

#include <QToolButton>

class QFrame;
class QLabel;

namespace tavlen {

// The "info.circle" mark beside a control: clicking it opens a small popover with a note,
// which closes again with the next click anywhere. Hovering shows the same note.
class InfoButton : public QToolButton {
    Q_OBJECT
public:
    explicit InfoButton(const QString& note, QWidget* parent = nullptr);

    const QString& note() const { return m_note; }
    QFrame* popover() const { return m_popover; }
    void showPopover();

private:
    QString m_note;
    QFrame* m_popover;
};

} // namespace tavlen
