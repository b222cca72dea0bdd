#include "harvest/MenuWalk.h"

#include "harvest/AXUIHelper.h"
#include "harvest/AccessibilityError.h"
#include "harvest/ShortcutNotation.h"
#include "platform/AXAttributeNames.h"
#include "platform/Accessibility.h"

#include <QScopeGuard>
#include <algorithm>

namespace tavlen {

namespace {

using namespace ax;

// Real menus nest a handful of levels. An application whose accessibility tree loops back on
// itself would otherwise take the harvest down with it: an element that is already one of the
// ancestors is not visited again, and below this depth (which also bounds a loop whose
// elements the adapter cannot recognise as the same) nothing is read.
constexpr int MAX_DEPTH = 16;

// The first Unicode scalar of the key equivalent's character, when it fits in 16 bits.
quint16 characterCode(const std::optional<QString>& text)
{
    if (!text || text->isEmpty())
        return 0;
    const QList<uint> scalars = text->left(2).toUcs4();
    if (scalars.isEmpty() || scalars.front() > 0xFFFF)
        return 0;
    return static_cast<quint16>(scalars.front());
}

quint64 unsignedOr(const AXAttributes& attributes, const QString& name, quint64 fallback)
{
    const auto it = attributes.constFind(name);
    if (it == attributes.constEnd())
        return fallback;
    return axvalue::toUnsigned(*it).value_or(fallback);
}

// The key name that follows the modifier symbols; empty when there is none. A key the notation
// has no symbol for goes by the name the platform gives it.
QString keyName(quint16 character, quint64 virtualKey, quint64 glyph, const QString& platformName)
{
    if (!platformName.isEmpty() && notation::virtualKeySymbol(virtualKey).isEmpty() &&
        notation::functionKeyName(glyph).isEmpty())
        return platformName;
    if (virtualKey >= 95 && virtualKey <= 122 && glyph >= 111 && glyph <= 124)
        return notation::functionKeyName(glyph);
    // A virtual key without a symbol of its own names nothing, and the glyph and the character
    // are not consulted either: they describe the same key.
    if (virtualKey != 0)
        return notation::virtualKeySymbol(virtualKey);
    if (const QString symbol = notation::glyphSymbol(glyph); !symbol.isEmpty())
        return symbol;
    if (character != 0)
        return notation::characterString(character);
    return {};
}

QString shortcutText(quint64 modifiers, const QString& name)
{
    QString text = notation::modifierSymbols(modifiers);
    if (!name.isEmpty())
        text += QLatin1Char(' ') + name;
    return text.trimmed();
}

} // namespace

MenuWalk::MenuWalk(Accessibility& accessibility, MenuWalkLimits limits, const std::atomic<bool>* stop)
    : m_accessibility(accessibility), m_limits(limits), m_stop(stop)
{}

bool MenuWalk::stopped() const
{
    return (m_stop != nullptr && m_stop->load(std::memory_order_relaxed)) || m_accessibility.readInTrouble();
}

QList<MenuItem> MenuWalk::menuBar(qint64 processIdentifier)
{
    m_menuBar = AXElement();
    m_menuBarMissing = false;
    m_emptyMenus = 0;
    const AXElement application = m_accessibility.createApplication(processIdentifier);
    AXValue menuBar;
    const qint32 error = m_accessibility.copyAttributeValue(application, MENU_BAR, menuBar);
    if (error != AXErrorCode::Success) {
        m_menuBarMissing = error == AXErrorCode::NoValue;
        return {};
    }
    const AXElement* menuBarElement = menuBar.get<AXElement>();
    if (!menuBarElement || menuBarElement->isNull())
        return {};
    m_menuBar = *menuBarElement;
    return collectMenuItems(m_menuBar, 1, {});
}

QList<MenuItem> MenuWalk::collectMenuItems(const AXElement& element, qint64 level,
                                           const QStringList& parentTitles)
{
    QList<AXElement> path;
    return collect(element, level, parentTitles, path);
}

QList<MenuItem> MenuWalk::collect(const AXElement& element, qint64 level, const QStringList& parentTitles,
                                  QList<AXElement>& path)
{
    if (path.size() >= MAX_DEPTH)
        return {};
    path.append(element);
    const auto leave = qScopeGuard([&path] { path.removeLast(); });

    std::vector<AXValue> children;
    if (m_accessibility.copyAttributeValues(element, CHILDREN, 0, m_limits.childLimit, children) !=
        AXErrorCode::Success)
        return {};

    // The first child of the menu bar is the system menu: never shown, but it has taken one place
    // of the limit.
    const std::size_t first = level == 1 ? 1 : 0;
    if (children.size() <= first) {
        if (level == 2)
            ++m_emptyMenus;
        return {};
    }

    QList<MenuItem> result;
    for (std::size_t i = first; i < children.size(); ++i) {
        if (stopped())
            break;
        // The platform lists only elements as children; anything else cannot be asked for anything.
        const AXElement* childPointer = children[i].get<AXElement>();
        if (!childPointer || childPointer->isNull())
            continue;
        const AXElement& child = *childPointer;
        if (path.contains(child))
            continue;

        AXValue titleValue;
        const qint32 titleError = m_accessibility.copyAttributeValue(child, TITLE, titleValue);
        const QString* titleText = titleValue.get<QString>();
        if (titleError != AXErrorCode::Success || !titleText) {
            // A read cut short fails every call: that says nothing about the child.
            if (stopped())
                break;
            // A title-less container stands in for the level: what it holds replaces, rather
            // than extends, what this level gathered so far.
            result = collect(child, level + 1, parentTitles, path);
            continue;
        }
        // GTK pads some titles ("Open Recent      ") to make room for what it draws beside them.
        const QString title = titleText->trimmed();

        if (level == 1) {
            MenuItem menu;
            menu.id = m_ids.next();
            menu.title = title;
            menu.submenu = collect(child, 2, parentTitles + QStringList{title}, path);
            menu.parentTitles = parentTitles;
            menu.level = 1;
            menu.isActive = true;
            menu.axuieElement = child;
            result.append(std::move(menu));
            continue;
        }

        qint64 count = 0;
        if (m_accessibility.attributeValueCount(child, CHILDREN, count) == AXErrorCode::Success &&
            count >= 1) {
            MenuItem holder;
            holder.id = m_ids.next();
            holder.title = title;
            holder.submenu = collect(child, level + 1, parentTitles + QStringList{title}, path);
            holder.parentTitles = parentTitles;
            holder.level = level;
            holder.isActive = true;
            holder.axuieElement = child;
            result.append(std::move(holder));
            continue;
        }

        if (auto leaf = leafItem(child, title, level, parentTitles))
            result.append(std::move(*leaf));
    }
    return result;
}

std::optional<MenuItem> MenuWalk::leafItem(const AXElement& child, const QString& title, qint64 level,
                                           const QStringList& parentTitles)
{
    static const QStringList names{CMD_CHAR,  CMD_MODIFIERS, CMD_VIRTUAL_KEY,
                                   CMD_GLYPH, CMD_KEY_NAME,  ENABLED};

    std::vector<AXValue> values;
    if (m_accessibility.copyMultipleAttributeValues(child, names, values) != AXErrorCode::Success)
        return std::nullopt;
    const AXAttributesResult read = AXUIHelper(child).attributeValues(names, values);
    const auto* attributes = std::get_if<AXAttributes>(&read);
    if (!attributes || attributes->isEmpty())
        return std::nullopt;

    const auto charIt = attributes->constFind(CMD_CHAR);
    const quint16 character =
        characterCode(charIt == attributes->constEnd() ? std::nullopt : axvalue::toString(*charIt));
    const quint64 modifiers = unsignedOr(*attributes, CMD_MODIFIERS, 0);
    const quint64 virtualKey = unsignedOr(*attributes, CMD_VIRTUAL_KEY, 0);
    const quint64 glyph = unsignedOr(*attributes, CMD_GLYPH, 0);
    const auto nameIt = attributes->constFind(CMD_KEY_NAME);
    const QString platformKeyName =
        nameIt == attributes->constEnd() ? QString() : axvalue::toString(*nameIt).value_or(QString());
    const auto enabledIt = attributes->constFind(ENABLED);
    const bool enabled =
        enabledIt == attributes->constEnd() ? true : axvalue::toBool(*enabledIt).value_or(true);

    MenuItem item;
    item.id = m_ids.next();
    item.title = title;
    item.parentTitles = parentTitles;
    item.level = level;
    item.isActive = enabled;
    item.axuieElement = child;

    // Virtual key codes are 16-bit on every platform we read; a larger value cannot be stored in
    // the key equivalent, nor named, so the element counts as one without a shortcut.
    const bool hasShortcut =
        (character != 0 || virtualKey != 0 || glyph != 0 || !platformKeyName.isEmpty()) &&
        virtualKey <= 0xFFFF;
    if (!hasShortcut) {
        if (m_limits.showAllMenus && !title.isEmpty()) {
            item.keys = QString();
            return item;
        }
        return std::nullopt;
    }

    item.keys = shortcutText(modifiers, keyName(character, virtualKey, glyph, platformKeyName));
    Hotkey hotkey;
    hotkey.actionKey = character;
    hotkey.modifierKeys = modifiers;
    hotkey.virtualKey = virtualKey;
    hotkey.keyCode = character;
    hotkey.keyVitrualCode = static_cast<quint16>(virtualKey);
    hotkey.keyModifiers = modifiers;
    item.hotkeys = hotkey;
    return item;
}

} // namespace tavlen
