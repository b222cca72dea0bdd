#include "sheet/view/CharacterView.h"

#include "harvest/ShortcutNotation.h"
#include "sheet/view/RowMetrics.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

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

void CharacterView::rebuild()
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    while (QLayoutItem* item = row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QFont symbolFont = sheetFont(m_fontSize - 2, QFont::DemiBold);
    const QFont textFont = sheetFont(m_fontSize, QFont::DemiBold);
    for (const QString& character : notation::keyTextCharacters(m_inputString)) {
        const auto name = notation::sheetSymbolName(character);
        if (name) {
            auto* symbol = new SymbolView(*name, symbolFont, this);
            symbol->setFrameWidth(symbolFrameWidth(m_fontSize));
            row->addWidget(symbol, 0, Qt::AlignVCenter);
            continue;
        }
        auto* text = new QLabel(character, this);
        text->setFont(textFont);
        text->setAlignment(Qt::AlignCenter);
        text->setTextFormat(Qt::PlainText);
        text->setMinimumWidth(static_cast<int>(characterMinimumWidth(m_fontSize)));
        row->addWidget(text, 0, Qt::AlignVCenter);
    }
    updateGeometry();
}

} // namespace tavlen
