#include "platform/guarded_call.h"

#include <QApplication>
#include <cstdio>
#include <exception>

#include "platform/dialogs.h"

namespace velmora::platform {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString ErrorReportText(std::string_view what, std::string_view reason)
{
    return QStringLiteral("„%1“ ist fehlgeschlagen.\n\n%2").arg(fromUtf8(what), fromUtf8(reason));
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
