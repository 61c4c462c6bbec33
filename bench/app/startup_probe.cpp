// Starts Velmora as main() does, up to the main window shown, filled from the
// account script and painted, then ends without entering the event loop.
#include <QCoreApplication>
#include <QtGlobal>

#include "app/startup.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = velmora::EarlyStartup(argc, argv);
    velmora::LateStartup();
    QCoreApplication::processEvents();  // painted, if the wait for the script has not painted it yet
    velmora::Finalise();
    return 0;
}
