#include "platform/MenuFixture.h"

#include "platform/AXAttributeNames.h"
#include "platform/AXUIHelper.h"
#include "platform/Accessibility.h"
#include "platform/AccessibilityError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QScopeGuard>
#include <cmath>
#include <limits>

namespace tavlen {

namespace {

using namespace ax;
const QString ERRORS = QStringLiteral("errors");

// Deeper than any real menu.
constexpr int MAX_DEPTH = 64;
// Recording stops earlier: it also bounds a tree that loops back on itself through elements the
// adapter cannot recognise as the same.
constexpr int MAX_RECORDED_DEPTH = 32;

// Integers above this do not survive a JSON number (a double) exactly.
constexpr double MAX_EXACT_INTEGER = 9007199254740992.0;

// The first failure stops the parse; `error` says what and where.
class Parser {
public:
    std::optional<MenuFixture> parse(const QByteArray& json)
    {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError) {
            error = QStringLiteral("not valid JSON at offset %1: %2")
                        .arg(parseError.offset)
                        .arg(parseError.errorString());
            return std::nullopt;
        }
        if (!document.isObject()) {
            fail(QStringLiteral("the document"), QStringLiteral("expected an object"));
            return std::nullopt;
        }
        const QJsonObject root = document.object();
        for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
            if (it.key() != QLatin1String("application") && it.key() != QLatin1String("menuBar")) {
                fail(it.key(), QStringLiteral("unknown member"));
                return std::nullopt;
            }
        }

        MenuFixture fixture;
        if (!parseApplication(root.value(QLatin1String("application")), fixture.application))
            return std::nullopt;
        const QJsonValue menuBar = root.value(QLatin1String("menuBar"));
        if (!menuBar.isUndefined() && !menuBar.isNull()) {
            MenuFixture::Element element;
            if (!parseElement(menuBar, QStringLiteral("menuBar"), 0, element))
                return std::nullopt;
            fixture.menuBar = std::move(element);
        }
        return fixture;
    }

    QString error;

private:
    bool fail(const QString& where, const QString& what)
    {
        error = where + QStringLiteral(": ") + what;
        return false;
    }

    bool parseApplication(const QJsonValue& value, RunningApplication& app)
    {
        const QString where = QStringLiteral("application");
        if (!value.isObject())
            return fail(where, QStringLiteral("expected an object"));
        const QJsonObject object = value.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (it.key() != QLatin1String("identifier") && it.key() != QLatin1String("name") &&
                it.key() != QLatin1String("pid"))
                return fail(where + QLatin1Char('.') + it.key(), QStringLiteral("unknown member"));
        }
        const QJsonValue identifier = object.value(QLatin1String("identifier"));
        if (!identifier.isString() || identifier.toString().isEmpty())
            return fail(where + QStringLiteral(".identifier"), QStringLiteral("expected a non-empty string"));
        app.identifier = identifier.toString();
        const QJsonValue name = object.value(QLatin1String("name"));
        if (!name.isUndefined() && !name.isString())
            return fail(where + QStringLiteral(".name"), QStringLiteral("expected a string"));
        app.localizedName = name.toString();
        std::optional<quint64> pid;
        if (!unsignedNumber(object.value(QLatin1String("pid")), pid) || !pid ||
            *pid > static_cast<quint64>(std::numeric_limits<qint64>::max()))
            return fail(where + QStringLiteral(".pid"), QStringLiteral("expected a non-negative integer"));
        app.processIdentifier = static_cast<qint64>(*pid);
        return true;
    }

    // Undefined leaves `out` empty; anything but an exact non-negative integer fails.
    static bool unsignedNumber(const QJsonValue& value, std::optional<quint64>& out)
    {
        if (value.isUndefined())
            return true;
        if (!value.isDouble())
            return false;
        const double number = value.toDouble();
        if (number < 0 || number > MAX_EXACT_INTEGER || std::trunc(number) != number)
            return false;
        out = static_cast<quint64>(number);
        return true;
    }

    bool parseElement(const QJsonValue& value, const QString& where, int depth, MenuFixture::Element& element)
    {
        if (depth >= MAX_DEPTH)
            return fail(where, QStringLiteral("nested deeper than %1 levels").arg(MAX_DEPTH));
        if (!value.isObject())
            return fail(where, QStringLiteral("expected an object"));
        const QJsonObject object = value.toObject();

        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString& key = it.key();
            const QJsonValue& member = it.value();
            const QString at = where + QLatin1Char('.') + key;
            if (key == TITLE || key == CMD_CHAR || key == CMD_KEY_NAME) {
                if (!member.isString())
                    return fail(at, QStringLiteral("expected a string"));
                (key == TITLE      ? element.title
                 : key == CMD_CHAR ? element.cmdChar
                                   : element.cmdKeyName) = member.toString();
            } else if (key == ENABLED) {
                if (!member.isBool())
                    return fail(at, QStringLiteral("expected a Boolean"));
                element.enabled = member.toBool();
            } else if (key == CMD_MODIFIERS || key == CMD_VIRTUAL_KEY || key == CMD_GLYPH) {
                std::optional<quint64>& field = key == CMD_MODIFIERS     ? element.cmdModifiers
                                                : key == CMD_VIRTUAL_KEY ? element.cmdVirtualKey
                                                                         : element.cmdGlyph;
                if (!unsignedNumber(member, field))
                    return fail(at, QStringLiteral("expected a non-negative integer"));
            } else if (key == CHILDREN) {
                if (!member.isArray())
                    return fail(at, QStringLiteral("expected an array"));
                const QJsonArray children = member.toArray();
                for (qsizetype i = 0; i < children.size(); ++i) {
                    MenuFixture::Element child;
                    if (!parseElement(children.at(i), at + QStringLiteral("[%1]").arg(i), depth + 1, child))
                        return false;
                    element.children.append(std::move(child));
                }
            } else if (key == ERRORS) {
                if (!parseErrors(member, at, element.errors))
                    return false;
            } else {
                return fail(at, QStringLiteral("unknown member"));
            }
        }
        return true;
    }

    bool parseErrors(const QJsonValue& value, const QString& where, QMap<QString, qint32>& errors)
    {
        if (!value.isObject())
            return fail(where, QStringLiteral("expected an object"));
        const QJsonObject object = value.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const double code = it.value().toDouble(0);
            if (!it.value().isDouble() || std::trunc(code) != code || code == 0 ||
                code < std::numeric_limits<qint32>::min() || code > std::numeric_limits<qint32>::max())
                return fail(where + QLatin1Char('.') + it.key(),
                            QStringLiteral("expected a non-zero 32-bit error code"));
            errors.insert(it.key(), static_cast<qint32>(code));
        }
        return true;
    }
};

// The codes that mean "this element has no such attribute": nothing to keep for them.
bool meansAbsent(qint32 code)
{
    return code == AXErrorCode::AttributeUnsupported || code == AXErrorCode::NoValue;
}

class Recorder {
public:
    explicit Recorder(Accessibility& accessibility) : m_accessibility(accessibility) {}

    QJsonObject element(const AXElement& element)
    {
        m_path.append(element);
        const auto leave = qScopeGuard([this] { m_path.removeLast(); });
        QJsonObject object;
        QJsonObject errors;

        AXValue title;
        const qint32 titleResult = m_accessibility.copyAttributeValue(element, TITLE, title);
        if (titleResult == AXErrorCode::Success) {
            if (const auto* text = title.get<QString>())
                object.insert(TITLE, *text);
        } else if (!meansAbsent(titleResult)) {
            errors.insert(TITLE, titleResult);
        }

        qint64 count = 0;
        const qint32 countResult = m_accessibility.attributeValueCount(element, CHILDREN, count);
        if (countResult != AXErrorCode::Success) {
            if (!meansAbsent(countResult))
                errors.insert(CHILDREN, countResult);
            count = 0;
        }
        if (count > 0) {
            std::vector<AXValue> children;
            const qint32 childrenResult =
                m_accessibility.copyAttributeValues(element, CHILDREN, 0, count, children);
            if (childrenResult != AXErrorCode::Success) {
                if (!meansAbsent(childrenResult))
                    errors.insert(CHILDREN, childrenResult);
            } else {
                QJsonArray array;
                for (const AXValue& child : children) {
                    const AXElement* childElement = child.get<AXElement>();
                    // An element that is one of its own ancestors is left out.
                    if (childElement && !childElement->isNull() && !m_path.contains(*childElement) &&
                        m_path.size() < MAX_RECORDED_DEPTH)
                        array.append(this->element(*childElement));
                }
                object.insert(CHILDREN, array);
            }
        } else {
            recordKeyEquivalent(element, object, errors);
        }

        if (!errors.isEmpty())
            object.insert(ERRORS, errors);
        return object;
    }

private:
    void recordKeyEquivalent(const AXElement& element, QJsonObject& object, QJsonObject& errors)
    {
        static const QStringList names{CMD_CHAR,  CMD_MODIFIERS, CMD_VIRTUAL_KEY,
                                       CMD_GLYPH, CMD_KEY_NAME,  ENABLED};
        std::vector<AXValue> values;
        const qint32 result = m_accessibility.copyMultipleAttributeValues(element, names, values);
        if (result != AXErrorCode::Success) {
            // Replayed as one failed entry per name, which the harvest treats as the failed call.
            if (!meansAbsent(result)) {
                for (const QString& name : names)
                    errors.insert(name, result);
            }
            return;
        }
        const AXUIHelper helper(element);
        for (qsizetype i = 0; i < names.size() && static_cast<std::size_t>(i) < values.size(); ++i) {
            const QString& name = names[i];
            const AXValue& value = values[static_cast<std::size_t>(i)];
            if (const auto* wrapped = value.get<AXWrappedValue>();
                wrapped && wrapped->kind == AXValueKind::Error) {
                AXErrorValue code;
                wrapped->unpack(AXValueKind::Error, code);
                if (!meansAbsent(code.code))
                    errors.insert(name, code.code);
                continue;
            }
            const AXTypedValue typed = helper.convertValue(value);
            if (name == CMD_CHAR || name == CMD_KEY_NAME) {
                if (const auto text = axvalue::toString(typed))
                    object.insert(name, *text);
            } else if (name == ENABLED) {
                if (const auto flag = axvalue::toBool(typed))
                    object.insert(name, *flag);
            } else if (const auto number = axvalue::toUnsigned(typed);
                       number && static_cast<double>(*number) <= MAX_EXACT_INTEGER) {
                object.insert(name, static_cast<double>(*number));
            }
        }
    }

    Accessibility& m_accessibility;
    QList<AXElement> m_path;
};

} // namespace

std::variant<MenuFixture, QString> MenuFixture::parse(const QByteArray& json)
{
    Parser parser;
    if (auto fixture = parser.parse(json))
        return std::move(*fixture);
    return parser.error;
}

QJsonObject MenuFixture::record(Accessibility& accessibility, const AXElement& menuBar,
                                const RunningApplication& application)
{
    QJsonObject app{{QStringLiteral("identifier"), application.identifier},
                    {QStringLiteral("name"), application.localizedName},
                    {QStringLiteral("pid"), static_cast<double>(application.processIdentifier)}};
    QJsonObject root{{QStringLiteral("application"), app}};
    if (!menuBar.isNull())
        root.insert(QStringLiteral("menuBar"), Recorder(accessibility).element(menuBar));
    return root;
}

QJsonObject MenuFixture::toJson() const
{
    QJsonObject app{{QStringLiteral("identifier"), application.identifier},
                    {QStringLiteral("name"), application.localizedName},
                    {QStringLiteral("pid"), static_cast<double>(application.processIdentifier)}};
    QJsonObject root{{QStringLiteral("application"), app}};
    if (menuBar)
        root.insert(QStringLiteral("menuBar"), toJson(*menuBar));
    return root;
}

QJsonObject MenuFixture::toJson(const Element& element)
{
    QJsonObject object;
    if (element.title)
        object.insert(TITLE, *element.title);
    if (element.enabled)
        object.insert(ENABLED, *element.enabled);
    if (element.cmdChar)
        object.insert(CMD_CHAR, *element.cmdChar);
    if (element.cmdModifiers)
        object.insert(CMD_MODIFIERS, static_cast<double>(*element.cmdModifiers));
    if (element.cmdVirtualKey)
        object.insert(CMD_VIRTUAL_KEY, static_cast<double>(*element.cmdVirtualKey));
    if (element.cmdGlyph)
        object.insert(CMD_GLYPH, static_cast<double>(*element.cmdGlyph));
    if (element.cmdKeyName)
        object.insert(CMD_KEY_NAME, *element.cmdKeyName);
    if (!element.children.isEmpty()) {
        QJsonArray children;
        for (const Element& child : element.children)
            children.append(toJson(child));
        object.insert(CHILDREN, children);
    }
    if (!element.errors.isEmpty()) {
        QJsonObject errors;
        for (auto it = element.errors.constBegin(); it != element.errors.constEnd(); ++it)
            errors.insert(it.key(), it.value());
        object.insert(ERRORS, errors);
    }
    return object;
}

} // namespace tavlen
