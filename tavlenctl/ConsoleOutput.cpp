#include "ConsoleOutput.h"

#include <cstdio>

namespace tavlen::ctl {

namespace {

void printLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

void printOut(const QString& line)
{
    printLine(stdout, line);
}

void printError(const QString& line)
{
    printLine(stderr, line);
}

} // namespace tavlen::ctl
