#pragma once

#include <QByteArray>
#include <QFile>

namespace tavlen::test {

// The shared library built beside the tests with one compiled GResource bundle in it, as a
// GTK program carries its own; empty when it cannot be read.
inline QByteArray sampleResourceModule()
{
    QFile module(QStringLiteral(TAVLEN_SAMPLE_RESOURCES_MODULE));
    return module.open(QIODevice::ReadOnly) ? module.readAll() : QByteArray();
}

} // namespace tavlen::test
