// The yardstick for the command line: the least a Qt 6 program without a display does, a
// QCoreApplication that prints one line and ends.

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::puts("Lumetra");
    return 0;
}
