#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace tavlen {

// A key text drawn character by character. The modifiers stand in four fixed slots, ⌃ ⌥ ⇧ ⌘,
// each fs wide and kept empty when the modifier is not part of the shortcut, so that a modifier
// is in the same place on every row; the key follows in a part at least twice fs wide. Key glyphs
// (modifiers, named keys, arrows) are SymbolViews at fs semibold in a frame fs wide, drawn at
// the letters' optical size; every other character as text at fs semibold in a frame at least
// half of fs wide. fs is the setting `fontSize`.
class CharacterView : public QWidget {
    Q_OBJECT
public:
    CharacterView(QString inputString, double fontSize, QWidget* parent = nullptr);

    const QString& inputString() const { return m_inputString; }
    void setInputString(const QString& inputString);

    // The modifier slots, in their fixed order; a slot whose modifier is absent draws nothing.
    static QStringList modifierSlots();

private:
    void rebuild();

    QString m_inputString;
    double m_fontSize;
};

} // namespace tavlen
