#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tavlen {

// The catalog folder names gettext tries, best first, for a process with these environment
// variables (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): "de_AT.UTF-8" gives de_AT, de. None where the
// process shows its texts untranslated (the C or POSIX locale, or none set), as gettext then
// ignores LANGUAGE too.
QStringList messageLanguages(const QHash<QString, QString>& environment);

} // namespace tavlen
