#pragma once

#include "platform/KeyInput.h"

#include <QString>
#include <QWidget>

namespace tavlen {

// One recorded combination, read-only: the pictograms of the held modifiers in the order
// Function, Control, Option, Shift, Command, then the key as its pictogram or as text. Without
// a key it reads "Record Shortcut".
class ShowKeyInputView : public QWidget {
    Q_OBJECT
public:
    static constexpr double TextSize = 14;

    ShowKeyInputView(const KeyInput& keys, QString keyPressed, bool isKeyPressed, QWidget* parent = nullptr);

    const KeyInput& keys() const { return m_keys; }
    const QString& keyPressed() const { return m_keyPressed; }
    bool isKeyPressed() const { return m_isKeyPressed; }

    // The pictograms drawn, in order: symbol names, or the key's own text when it has none.
    QStringList pictograms() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Item {
        QString text;
        bool isSymbol;
    };
    QList<Item> items() const;

    KeyInput m_keys;
    QString m_keyPressed;
    bool m_isKeyPressed;
};

} // namespace tavlen
