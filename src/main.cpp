// Quiren's entry point; the start-up sequence lives in shell/Startup.cpp.
#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return quiren::RunProgram(app);
}
