#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/velmora_import.h"
#include "platform/running_program.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Qt knows where this program's own file lies on every platform; the
    // scripts are found from there, as the window finds them.
    const QCoreApplication application(argc, argv);
    const velmora::platform::RunningProgram program(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    velmora::cli::Output out(stdout);
    const velmora::cli::Streams streams{out, stderr, isatty(fileno(stderr)) != 0};
    return velmora::cli::Main({arguments.begin(), arguments.end()}, streams);
}
