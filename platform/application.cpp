#include "platform/application.h"

#include "platform/guarded_call.h"

namespace velmora::platform {

namespace {
Application* registered_application = nullptr;
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv),
      executable_file_(QCoreApplication::applicationFilePath().toStdString())
{
    registered_application = this;
}

Application::~Application()
{
    if (registered_application == this)
        registered_application = nullptr;
}

Application* Application::registered()
{
    return registered_application;
}

std::filesystem::path Application::ExecutableFile() const
{
    return executable_file_;
}

void Application::setExecutableFile(std::filesystem::path file)
{
    executable_file_ = std::move(file);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    GuardedCall("Ereignisverarbeitung", [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace velmora::platform
