#pragma once

#include <QString>

namespace tavlen::ctl {

// One line of text to standard output or standard error, in UTF-8.
void printOut(const QString& line);
void printError(const QString& line);

} // namespace tavlen::ctl
