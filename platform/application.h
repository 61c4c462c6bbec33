#pragma once
// The runtime's application object: the one QApplication of the process,
// registered as the running program so that the rest of the program can reach
// it and its executable. Qt's own texts (file chooser, standard buttons) are
// German here, as every text of the program is.
#include <QApplication>

#include "platform/running_program.h"

namespace velmora::platform {

class Application : public QApplication, public RunningProgram {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // The registered application object, or nullptr before one exists.
    static Application* registered();

    // Every event Qt delivers to program code passes through here; an error
    // that escapes a handler stops at this boundary and is reported.
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace velmora::platform
