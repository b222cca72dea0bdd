// One main for every benchmark: Qt's file and text classes want an application object, the
// sheet's widgets a QApplication. A platform asked for in QT_QPA_PLATFORM is used as it stands;
// otherwise Qt draws on the X display when there is one, so that the benchmarks of windows on
// screen measure the real X server, and offscreen when there is none (or it cannot be reached).

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb;offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
