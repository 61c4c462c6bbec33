#include "app/startup.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <exception>

#include "app/file_types.h"
#include "app/menu_bar.h"
#include "platform/event_loop.h"
#include "platform/guarded_call.h"

namespace velmora {

int Main(int& argc, char** argv)
{
    int exit_status = 0;
    std::unique_ptr<app::App> application;
    try {
        application = EarlyStartup(argc, argv);
        LateStartup();
        exit_status = platform::RunEventLoop();
    } catch (const std::exception& error) {
        platform::UnhandledException(error.what());
        exit_status = 1;
    } catch (...) {
        platform::UnhandledException("Unbekannter Fehler.");
        exit_status = 1;
    }
    Finalise();
    return exit_status;
}

void Finalise()
{
    // Windows go before the application object that they need.
    // Deleting a window deletes its child windows too, so each is held weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows << window;
    for (const QPointer<QWidget>& window : windows)
        if (window && !window->parentWidget())
            delete window.data();
}

std::unique_ptr<app::App> EarlyStartup(int& argc, char** argv)
{
    InitFileTypes();
    auto application = NewAppInstance(argc, argv);
    ApplicationAddMenuHandlers();
    return application;
}

void InitFileTypes()
{
    FileTypes::Initialize();
}

std::unique_ptr<app::App> NewAppInstance(int& argc, char** argv)
{
    auto application = std::make_unique<app::App>(argc, argv);
    platform::QuitOnTerminationSignal();
    // No display name: on X11 Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // On macOS a bar without a window is the application's own menu bar.
    Menue();
    return application;
}

void ApplicationAddMenuHandlers()
{
    // The program adds no menu handlers: the quit item acts by its kind alone.
}

void LateStartup()
{
    MakeDefaultView();
}

void MakeDefaultView()
{
    Fenster1();
}

ui::Fenster1* Fenster1()
{
    static QPointer<ui::Fenster1> open_window;
    if (!open_window) {
        open_window = new ui::Fenster1(Menue());
        open_window->Open();
    }
    return open_window;
}

}  // namespace velmora
