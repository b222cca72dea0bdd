#include "harvest/MenuWalk.h"

#include "harvest/KeyedEntry.h"
#include "harvest/ShortcutNotation.h"
#include "platform/AXAttributeNames.h"
#include "platform/AXUIHelper.h"
#include "platform/Accessibility.h"
#include "platform/AccessibilityError.h"

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

quint64 unsignedOr(const AXAttributes& attributes, const QString& name, quint64 fallback)
{
    const auto it = attributes.constFind(name);
    if (it == attributes.constEnd())
        return fallback;
    return axvalue::toUnsigned(*it).value_or(fallback);
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
    const std::optional<QString> characterText =
        charIt == attributes->constEnd() ? std::nullopt : axvalue::toString(*charIt);
    const auto nameIt = attributes->constFind(CMD_KEY_NAME);
    const KeyEquivalent key{
        characterCode(characterText.value_or(QString())), unsignedOr(*attributes, CMD_MODIFIERS, 0),
        unsignedOr(*attributes, CMD_VIRTUAL_KEY, 0), unsignedOr(*attributes, CMD_GLYPH, 0),
        nameIt == attributes->constEnd() ? QString() : axvalue::toString(*nameIt).value_or(QString())};
    const auto enabledIt = attributes->constFind(ENABLED);
    const bool enabled =
        enabledIt == attributes->constEnd() ? true : axvalue::toBool(*enabledIt).value_or(true);

    // Virtual key codes are 16-bit on every platform we read; a larger value cannot be stored in
    // the key equivalent, nor named, so the element counts as one without a shortcut.
    std::optional<MenuItem> item = keyedEntry(m_ids.next(), title, key, level, parentTitles);
    if (!item) {
        if (!m_limits.showAllMenus || title.isEmpty())
            return std::nullopt;
        item.emplace();
        item->id = m_ids.next();
        item->title = title;
        item->parentTitles = parentTitles;
        item->level = level;
        item->keys = QString();
    }
    item->isActive = enabled;
    item->axuieElement = child;
    return item;
}

} // namespace tavlen
