#include "sheet/view/CharacterView.h"

#include "harvest/ShortcutNotation.h"
#include "sheet/view/RowMetrics.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <cmath>
#include <optional>

namespace tavlen {

CharacterView::CharacterView(QString inputString, double fontSize, QWidget* parent)
    : QWidget(parent), m_inputString(std::move(inputString)), m_fontSize(fontSize)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    rebuild();
}

void CharacterView::setInputString(const QString& inputString)
{
    if (inputString == m_inputString)
        return;
    m_inputString = inputString;
    rebuild();
}

QStringList CharacterView::modifierSlots()
{
    return {QStringLiteral("⌃"), QStringLiteral("⌥"), QStringLiteral("⇧"), QStringLiteral("⌘")};
}

void CharacterView::rebuild()
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    while (QLayoutItem* item = row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QFont font = sheetFont(m_fontSize, QFont::DemiBold);
    QStringList characters = notation::keyTextCharacters(m_inputString);
    if (characters.isEmpty()) {
        updateGeometry();
        return;
    }

    // Leading modifiers go to their slots, in whatever order the text lists them.
    const QStringList slotOrder = modifierSlots();
    QStringList present;
    while (!characters.isEmpty() && slotOrder.contains(characters.front()))
        present.append(characters.takeFirst());
    if (!present.isEmpty() && !characters.isEmpty() && characters.front() == QStringLiteral(" "))
        characters.removeFirst();
    for (const QString& modifier : slotOrder) {
        auto* symbol = new SymbolView(notation::sheetSymbolName(modifier).value_or(modifier), font, this);
        symbol->setFrameWidth(symbolFrameWidth(m_fontSize));
        symbol->setOpacity(present.contains(modifier) ? 1.0 : 0.0);
        row->addWidget(symbol, 0, Qt::AlignVCenter);
    }
    row->addSpacing(static_cast<int>(characterMinimumWidth(m_fontSize)));

    auto* key = new QWidget(this);
    auto* keyRow = new QHBoxLayout(key);
    keyRow->setContentsMargins(0, 0, 0, 0);
    keyRow->setSpacing(0);
    key->setMinimumWidth(static_cast<int>(std::ceil(2 * m_fontSize)));
    for (const QString& character : characters) {
        std::optional<QString> name = notation::sheetSymbolName(character);
        if (!name && SymbolView::isKeyGlyph(character))
            name = character;
        if (name) {
            auto* symbol = new SymbolView(*name, font, key);
            symbol->setFrameWidth(symbolFrameWidth(m_fontSize));
            keyRow->addWidget(symbol, 0, Qt::AlignVCenter);
            continue;
        }
        auto* text = new QLabel(character, key);
        text->setFont(font);
        text->setAlignment(Qt::AlignCenter);
        text->setTextFormat(Qt::PlainText);
        text->setMinimumWidth(static_cast<int>(characterMinimumWidth(m_fontSize)));
        keyRow->addWidget(text, 0, Qt::AlignVCenter);
    }
    keyRow->addStretch(1);
    row->addWidget(key, 0, Qt::AlignVCenter);
    updateGeometry();
}

} // namespace tavlen
