#include "app/app.h"

#include "platform/errors.h"

namespace velmora {

namespace app {

App::App(int& argc, char** argv) : platform::Application(argc, argv) {}

}  // namespace app

app::App* App()
{
    platform::Application* registered = platform::Application::registered();
    if (!registered)
        return nullptr;
    auto* application = qobject_cast<app::App*>(registered);
    if (!application)
        throw IllegalCastException("Das Anwendungsobjekt ist nicht von der Klasse App.");
    return application;
}

}  // namespace velmora
