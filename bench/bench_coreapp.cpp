// The least a Qt command-line program does: start a QCoreApplication and exit. bench/run times
// kestrix-cli --version against it.
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
