#include "harvest/ShortcutsWindowFile.h"

#include <QXmlStreamReader>

namespace tavlen {

namespace {

const QLatin1String WINDOW_CLASS("GtkShortcutsWindow");
const QLatin1String GROUP_CLASS("GtkShortcutsGroup");
const QLatin1String SHORTCUT_CLASS("GtkShortcutsShortcut");
// Builder files nest a few levels per section, group and shortcut; far deeper is no shortcuts
// window a program would ship.
constexpr int MAX_DEPTH = 64;

struct Shortcut {
    BuilderText title;
    QString accelerator;
    QString type;
};

class WindowReader {
public:
    explicit WindowReader(const QByteArray& file) : m_xml(file) {}

    std::optional<ShortcutsWindowFile> read()
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("interface"))
            return std::nullopt;
        ShortcutsWindowFile window;
        window.domain = m_xml.attributes().value(QLatin1String("domain")).toString();
        bool found = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("object") &&
                m_xml.attributes().value(QLatin1String("class")) == WINDOW_CLASS && !found) {
                found = true;
                readObjectChildren(window, nullptr, 1);
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError() || !found)
            return std::nullopt;
        return window;
    }

private:
    // Reads the children of the object the reader stands on, down to its end element. A group
    // collects into `group`; shortcuts outside any group have none and are dropped, as GTK shows
    // them nowhere either.
    void readObjectChildren(ShortcutsWindowFile& window, ShortcutsWindowGroup* group, int depth)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("child")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("object"))
                        readObject(window, group, depth + 1);
                    else
                        m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    void readObject(ShortcutsWindowFile& window, ShortcutsWindowGroup* group, int depth)
    {
        if (depth > MAX_DEPTH) {
            m_xml.raiseError(QStringLiteral("nested too deeply"));
            return;
        }
        const QStringView objectClass = m_xml.attributes().value(QLatin1String("class"));
        if (objectClass == GROUP_CLASS) {
            ShortcutsWindowGroup inner;
            readGroup(window, inner, depth);
            if (!inner.entries.isEmpty())
                window.groups.append(std::move(inner));
        } else if (objectClass == SHORTCUT_CLASS) {
            const Shortcut shortcut = readShortcut();
            const bool namesKeys = shortcut.type.isEmpty() || shortcut.type == QLatin1String("accelerator");
            if (group && namesKeys && !shortcut.accelerator.trimmed().isEmpty())
                group->entries.append({shortcut.title, shortcut.accelerator.trimmed()});
        } else {
            readObjectChildren(window, group, depth);
        }
    }

    void readGroup(ShortcutsWindowFile& window, ShortcutsWindowGroup& group, int depth)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("property") &&
                m_xml.attributes().value(QLatin1String("name")) == QLatin1String("title")) {
                group.title = readText();
            } else if (m_xml.name() == QLatin1String("child")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("object"))
                        readObject(window, &group, depth + 1);
                    else
                        m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    Shortcut readShortcut()
    {
        Shortcut shortcut;
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.attributes().value(QLatin1String("name"));
            if (m_xml.name() != QLatin1String("property")) {
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("title")) {
                shortcut.title = readText();
            } else if (name == QLatin1String("accelerator")) {
                shortcut.accelerator = m_xml.readElementText();
            } else if (name == QLatin1String("shortcut-type") || name == QLatin1String("shortcut_type")) {
                shortcut.type = m_xml.readElementText().trimmed();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return shortcut;
    }

    BuilderText readText()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        BuilderText text;
        text.context = attributes.value(QLatin1String("context")).toString();
        const QStringView translatable = attributes.value(QLatin1String("translatable"));
        // GtkBuilder takes any of GLib's boolean spellings.
        text.translatable = translatable.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
                            translatable.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                            translatable == QLatin1String("1") || translatable == QLatin1String("y") ||
                            translatable == QLatin1String("t");
        text.text = m_xml.readElementText();
        return text;
    }

    QXmlStreamReader m_xml;
};

} // namespace

bool ShortcutsWindowFile::mayHoldWindow(const QByteArray& builderFile)
{
    return builderFile.contains(QByteArrayLiteral("GtkShortcutsWindow"));
}

std::optional<ShortcutsWindowFile> ShortcutsWindowFile::parse(const QByteArray& builderFile)
{
    return WindowReader(builderFile).read();
}

} // namespace tavlen
