// Starts Velmora as main() does, up to the main window shown and filled from
// the account script, then ends without entering the event loop.
#include <QtGlobal>

#include "app/startup.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = velmora::EarlyStartup(argc, argv);
    velmora::LateStartup();
    velmora::Finalise();
    return 0;
}
