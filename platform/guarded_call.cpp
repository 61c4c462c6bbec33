#include "platform/guarded_call.h"

#include <QApplication>
#include <cstdio>
#include <exception>

#include "platform/dialogs.h"
#include "platform/qt_text.h"

namespace velmora::platform {

QString ErrorReportText(std::string_view what, std::string_view reason)
{
    return QStringLiteral("„%1“ ist fehlgeschlagen.\n\n%2").arg(QText(what), QText(reason));
}

void ReportError(std::string_view what, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& known) {
        MsgBox(ErrorReportText(what, known.what()));
    } catch (...) {
        MsgBox(ErrorReportText(what, "Unbekannter Fehler."));
    }
}

void UnhandledException(std::string_view reason)
{
    std::fprintf(stderr, "Velmora: unbehandelter Fehler: %.*s\n", static_cast<int>(reason.size()), reason.data());
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        MsgBox(ErrorReportText("Velmora", reason));
}

}  // namespace velmora::platform
