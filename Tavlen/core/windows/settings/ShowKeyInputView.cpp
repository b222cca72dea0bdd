#include "core/windows/settings/ShowKeyInputView.h"

#include "core/windows/settings/EditorSymbols.h"
#include "harvest/ShortcutNotation.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace tavlen {

namespace {

constexpr double Spacing = 2;

QString recordShortcut()
{
    return QStringLiteral("Record Shortcut");
}

} // namespace

ShowKeyInputView::ShowKeyInputView(const KeyInput& keys, QString keyPressed, bool isKeyPressed,
                                   QWidget* parent)
    : QWidget(parent), m_keys(keys), m_keyPressed(std::move(keyPressed)), m_isKeyPressed(isKeyPressed)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QList<ShowKeyInputView::Item> ShowKeyInputView::items() const
{
    if (!m_isKeyPressed)
        return {};
    QList<Item> items;
    const auto mark = [&items](bool held, const QString& text) {
        if (!held)
            return;
        if (const auto name = notation::recorderSymbolName(text))
            items.append({*name, true});
        else
            items.append({text, false});
    };
    mark(m_keys.isFunction, QStringLiteral("fn"));
    mark(m_keys.isControl, QStringLiteral("⌃"));
    mark(m_keys.isOption, QStringLiteral("⌥"));
    mark(m_keys.isShift, QStringLiteral("⇧"));
    mark(m_keys.isCommand, QStringLiteral("⌘"));
    mark(true, m_keyPressed);
    return items;
}

QStringList ShowKeyInputView::pictograms() const
{
    QStringList texts;
    for (const Item& item : items())
        texts.append(item.text);
    return texts;
}

namespace {

double widthOf(const QString& text, bool isSymbol, const QFontMetricsF& metrics)
{
    if (!isSymbol)
        return metrics.horizontalAdvance(text);
    if (const auto character = SymbolView::keyCharacter(text))
        return std::max(metrics.horizontalAdvance(*character), metrics.ascent() * 0.8);
    return metrics.ascent();
}

} // namespace

QSize ShowKeyInputView::sizeHint() const
{
    const QFontMetricsF metrics(sheetFont(TextSize));
    const int height = static_cast<int>(std::ceil(metrics.height()));
    if (!m_isKeyPressed)
        return {static_cast<int>(std::ceil(metrics.horizontalAdvance(recordShortcut()))), height};
    double width = 0;
    for (const Item& item : items())
        width += widthOf(item.text, item.isSymbol, metrics) + Spacing;
    return {static_cast<int>(std::ceil(width)), height};
}

void ShowKeyInputView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = sheetFont(TextSize);
    const QColor colour = palette().color(QPalette::ButtonText);
    painter.setFont(font);
    painter.setPen(colour);
    if (!m_isKeyPressed) {
        painter.drawText(rect(), Qt::AlignCenter, recordShortcut());
        return;
    }
    const QFontMetricsF metrics(font);
    const QList<Item> all = items();
    QList<double> widths;
    double total = 0;
    for (const Item& item : all) {
        widths.append(widthOf(item.text, item.isSymbol, metrics));
        total += widths.constLast();
    }
    total += Spacing * static_cast<double>(all.size() - 1);
    double x = (width() - total) / 2;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QRectF frame(x, 0, widths.at(i), height());
        if (all.at(i).isSymbol)
            EditorSymbols::paint(painter, frame, all.at(i).text, font, colour);
        else
            painter.drawText(frame, Qt::AlignCenter, all.at(i).text);
        x += widths.at(i) + Spacing;
    }
}

} // namespace tavlen
