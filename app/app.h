#pragma once
// The application object. It adds nothing to the runtime's application; it
// exists so that the rest of the program can reach it as this program's own.
#include "platform/application.h"

namespace velmora {

namespace app {

class App : public platform::Application {
    Q_OBJECT
public:
    App(int& argc, char** argv);
};

}  // namespace app

// The registered application object, checked to be an App; nullptr when none
// is registered. A registered object of another class raises IllegalCastException.
app::App* App();

}  // namespace velmora
