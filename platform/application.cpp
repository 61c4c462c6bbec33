#include "platform/application.h"

#include <QFile>

#include "platform/german_texts.h"
#include "platform/guarded_call.h"

namespace velmora::platform {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv),
      RunningProgram(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())
{
    UseGermanTexts(*this);
}

Application* Application::registered()
{
    return dynamic_cast<Application*>(RunningProgram::registered());
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    GuardedCall("Ereignisverarbeitung", [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace velmora::platform
