// Quiren's entry point. The start-up sequence lives in shell/.
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Quiren: the windows are not built yet.\n";
    return 0;
}
