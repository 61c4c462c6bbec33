#include "platform/system_error_text.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace velmora::platform {

namespace {

struct ErrorText {
    int error;
    std::string_view text;
};

// The errors that reading and writing files and starting programs meet.
constexpr ErrorText error_texts[] = {
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr"},
    {EDQUOT, "Das Speicherkontingent auf dem Datenträger ist erschöpft"},
    {EFBIG, "Die Datei ist zu groß"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Der Vorgang ist nicht erlaubt"},
    {EROFS, "Der Datenträger ist schreibgeschützt"},
    {EIO, "Ein- oder Ausgabefehler des Datenträgers"},
    {ENOENT, "Die Datei oder der Ordner ist nicht vorhanden"},
    {ENOTDIR, "Ein Teil des Pfades ist kein Ordner"},
    {EISDIR, "Das ist ein Ordner"},
    {ENAMETOOLONG, "Der Name ist zu lang"},
    {ELOOP, "Zu viele symbolische Verweise hintereinander"},
    {EMFILE, "Das Programm hat zu viele Dateien geöffnet"},
    {ENFILE, "Das System hat zu viele Dateien geöffnet"},
    {ENOMEM, "Nicht genug Arbeitsspeicher"},
    {EBUSY, "Die Datei oder das Gerät ist belegt"},
    {ETXTBSY, "Die Datei wird gerade ausgeführt"},
    {EAGAIN, "Die Mittel des Systems sind vorübergehend erschöpft"},
    {ENXIO, "Das Gerät ist nicht vorhanden"},
    {ESTALE, "Die Datei auf dem Netzlaufwerk ist nicht mehr gültig"},
};

}  // namespace

std::string SystemErrorText(int error)
{
    for (const ErrorText& known : error_texts)
        if (known.error == error)
            return std::string(known.text);
    return "Systemfehler " + std::to_string(error) + " (" + std::strerror(error) + ")";
}

}  // namespace velmora::platform
