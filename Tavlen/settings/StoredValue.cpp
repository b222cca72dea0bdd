#include "settings/StoredValue.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tavlen {
namespace {

bool isNativeInteger(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isNativeFloatingPoint(int typeId)
{
    return typeId == QMetaType::Double || typeId == QMetaType::Float;
}

std::optional<int> fittingInt(long double value)
{
    if (value < static_cast<long double>(std::numeric_limits<int>::min()) ||
        value > static_cast<long double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(value);
}

bool isDecimalIntegerText(const QString& text)
{
    qsizetype start = 0;
    if (!text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-')))
        start = 1;
    if (start == text.size())
        return false;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

std::optional<bool> StoredValue::toBool(const QVariant& value)
{
    const int typeId = value.metaType().id();
    if (typeId == QMetaType::Bool)
        return value.toBool();
    if (typeId == QMetaType::QString) {
        const QString text = value.toString();
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
    }
    return std::nullopt;
}

std::optional<int> StoredValue::toInt(const QVariant& value)
{
    const int typeId = value.metaType().id();
    if (isNativeInteger(typeId)) {
        if (typeId == QMetaType::ULongLong || typeId == QMetaType::ULong)
            return fittingInt(static_cast<long double>(value.toULongLong()));
        return fittingInt(static_cast<long double>(value.toLongLong()));
    }
    if (typeId == QMetaType::QString) {
        const QString text = value.toString();
        if (!isDecimalIntegerText(text))
            return std::nullopt;
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok, 10);
        if (!ok)
            return std::nullopt;
        return fittingInt(static_cast<long double>(number));
    }
    return std::nullopt;
}

std::optional<double> StoredValue::toDouble(const QVariant& value)
{
    const int typeId = value.metaType().id();
    double number = 0.0;
    if (isNativeInteger(typeId) || isNativeFloatingPoint(typeId)) {
        number = value.toDouble();
    } else if (typeId == QMetaType::QString) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        number = c.toDouble(value.toString(), &ok);
        if (!ok)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<QString> StoredValue::toString(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value.toString();
    return std::nullopt;
}

} // namespace tavlen
