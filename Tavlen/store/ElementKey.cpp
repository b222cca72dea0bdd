#include "store/ElementKey.h"

#include <QCryptographicHash>

namespace tavlen {

QString sha256Hex(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString elementKey(const QString& title, const QString& keys)
{
    return sha256Hex(title + QLatin1Char('_') + keys);
}

} // namespace tavlen
