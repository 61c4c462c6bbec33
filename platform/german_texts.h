#pragma once
// Qt's own texts in German, whatever the system's language: the file chooser,
// the standard buttons and the context menus of text fields then speak as the
// rest of the program does.
#include <QCoreApplication>

namespace velmora::platform {

// Loads Qt's German translation (from the installed Qt, or from the bundle's
// Resources/translations where a self-contained bundle carries it) and makes
// German the default locale. Without the translation Qt's texts stay English.
void UseGermanTexts(QCoreApplication& application);

}  // namespace velmora::platform
