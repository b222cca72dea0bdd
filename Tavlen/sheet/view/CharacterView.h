#pragma once

#include <QString>
#include <QWidget>

namespace tavlen {

// A key text drawn character by character, one after the other: characters with a pictogram
// name (the modifier and named-key symbols) as a SymbolView at fs − 2 semibold in a frame fs
// wide; every other character, the space between modifiers and key included, as text at fs
// semibold in a frame at least half of fs wide. fs is the setting `fontSize`.
class CharacterView : public QWidget {
    Q_OBJECT
public:
    CharacterView(QString inputString, double fontSize, QWidget* parent = nullptr);

    const QString& inputString() const { return m_inputString; }
    void setInputString(const QString& inputString);

private:
    void rebuild();

    QString m_inputString;
    double m_fontSize;
};

} // namespace tavlen
