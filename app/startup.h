#pragma once
// Start-up and end of the program, in the order they run. The names of the
// runtime's start-up routines are kept without their leading underscore,
// which C++ reserves.
#include <memory>

#include "app/app.h"
#include "ui/fenster1.h"

namespace velmora {

// The whole life of the process: start-up, the event loop, the end.
// Returns the exit status.
int Main(int& argc, char** argv);

// Registers the file types and creates the application object with its menu bar.
std::unique_ptr<app::App> EarlyStartup(int& argc, char** argv);
void InitFileTypes();
std::unique_ptr<app::App> NewAppInstance(int& argc, char** argv);
void ApplicationAddMenuHandlers();

// After the runtime's own initialisation: opens the main window.
void LateStartup();
void MakeDefaultView();

// The open main window, with the shared menu bar; built, shown and opened on first use.
ui::Fenster1* Fenster1();

// Closes what start-up opened, whether or not it ended with an error.
void Finalise();

}  // namespace velmora
