#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::puts("tavlenctl " TAVLEN_VERSION);
    return 0;
}
