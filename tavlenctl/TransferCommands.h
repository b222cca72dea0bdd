#pragma once

#include <QStringList>

namespace tavlen {
class AppServices;
}

namespace tavlen::ctl {

// `tavlenctl import FILE`: imports one export file, prints the message the application's
// import alert would show, and answers the exit status (0 imported, 1 failed).
int runImport(const QStringList& arguments, AppServices& services);

// `tavlenctl export FILE [--app ID | --all]`: writes the custom shortcuts of one application,
// or of every application (the default), to FILE.
int runExport(const QStringList& arguments, AppServices& services);

} // namespace tavlen::ctl
