#include "cli/velmora_import.h"

#include <exception>
#include <string>
#include <variant>

#include "cli/command_line.h"
#include "cli/import_command.h"

namespace velmora::cli {

namespace {

#ifdef __APPLE__
constexpr std::string_view record_place = "~/Library/Application Support/Velmora/gesendet.tsv";
#else
constexpr std::string_view record_place = "$XDG_STATE_HOME/velmora/gesendet.tsv";
#endif

constexpr std::string_view usage =
    "Aufruf: velmora-import --konto NAME [--kategorien] [--monat-tag] [--gegenkonto] [--ohne-umbuchungen]\n"
    "                       [--vorschau [--format text|csv|json]] [--alle] [--trotzdem | --nur-lesbare]\n"
    "                       [--protokoll DATEI | --ohne-protokoll] DATEI...\n"
    "        velmora-import --konto NAME --vergessen|--angekommen|--nicht-angekommen [--protokoll DATEI] DATEI...\n"
    "        velmora-import --konten\n"
    "        velmora-import --help | --version\n";

std::string helpText()
{
    std::string help = "velmora-import liest QIF-Dateien wie das Fenster von Velmora und sendet jede Transaktion\n"
                       "als eine Buchung an Zandor, oder zeigt vorher genau, was ankäme.\n\n";
    help += usage;
    help += "\n  --konto NAME          das Zielkonto in Zandor („Konto in Zandor Kontenmappe:“)\n";
    for (const OptionFlag& flag : option_flags) {
        const std::string padding(22 - flag.flag.size(), ' ');
        help += "  " + std::string(flag.flag) + padding + "„" + std::string(flag.caption) + "“\n";
    }
    help += "  --vorschau            nichts senden, sondern jede Buchung ausgeben\n"
            "  --format FORM         Form der Vorschau: text (Tabelle, die Vorgabe), csv oder json\n"
            "                        (json: je Buchung eine Zeile mit den neun Texten des Buchungsskripts)\n"
            "  --alle                auch senden, was das Protokoll schon als gesendet oder unklar kennt\n"
            "  --trotzdem            auch Buchungen ohne lesbares Datum oder ohne lesbaren Betrag senden: mit leerem\n"
            "                        Datum, und als Betrag, was die Regeln für Beträge von der T-Zeile übrig lassen\n"
            "                        (aus T1.234 wird 123, also 1,23 €); Daten, deren Tag und Monat vertauscht sein\n"
            "                        können, so, wie sie gelesen werden\n"
            "  --nur-lesbare         wie --trotzdem, aber ohne die Buchungen ohne lesbares Datum oder ohne lesbaren\n"
            "                        Betrag; die Zusammenfassung nennt sie mit ihren Zeilen\n"
            "  --vergessen           die Buchungen der Dateien gelten nicht mehr als gesendet (nichts wird gesendet)\n"
            "  --angekommen          die unklaren Buchungen der Dateien stehen in Zandor: sie gelten als gesendet\n"
            "  --nicht-angekommen    die unklaren Buchungen der Dateien fehlen in Zandor: der nächste Aufruf sendet sie\n"
            "  --protokoll DATEI     dieses Protokoll statt ";
    help += std::string(record_place) + "\n";
    help += "  --ohne-protokoll      das Protokoll weder lesen noch schreiben\n"
            "  --konten              die Konten der geöffneten Kontenmappe in Zandor, eines je Zeile\n"
            "  --help                diese Hilfe\n"
            "  --version             die Version\n\n"
            "Jede Datei wird für sich gelesen und gebucht. Vor der ersten Buchung werden alle Dateien\n"
            "gelesen und das Konto geprüft. Eine Zusammenfassung je Datei steht auf der Fehlerausgabe.\n"
            "Nie gesendet werden eine Buchung mit einem Text, der länger ist, als das System einem\n"
            "Programm übergibt, und ein Datensatz ohne abschließendes „^“; die Zusammenfassung nennt beide.\n\n"
            "Das Protokoll vermerkt jede Buchung, bevor sie hinausgeht und wenn ihr Skript mit Status 0 endete.\n"
            "Was dort schon als an das Konto gesendet steht, wird übersprungen; so bucht eine Datei, die sich\n"
            "mit der vorigen überschneidet, nur das Neue, und eine Buchung, die eine frühere Datei desselben\n"
            "Aufrufs sendet, geht nur einmal hinaus. Gleiche Buchungen am selben Tag zählen als erste, zweite, ...\n"
            "Nach einem Abbruch sendet derselbe Aufruf genau den Rest. Eine Buchung, deren Skript nicht mit\n"
            "Status 0 endete (gescheitert, durch ein Signal beendet, oder beim Abbruch unterwegs), ist unklar:\n"
            "Sie kann in Zandor stehen oder nicht. Sie geht nicht von selbst hinaus; nach einem Blick in Zandor\n"
            "sagt --angekommen oder --nicht-angekommen, was aus ihr wurde. Die Vorschau zeigt je Buchung „neu“,\n"
            "„schon gesendet“, „unklar“ oder „frühere Datei“ (oder „wird gesendet“, wenn ein anderes\n"
            "velmora-import sie gerade sendet). Strg+C, SIGTERM, SIGHUP (Terminal geschlossen) und SIGQUIT\n"
            "halten nach der laufenden Buchung an, ein zweites Signal auch mitten in ihr; ein Signal, das\n"
            "beim Start übergangen wurde (nohup), bleibt übergangen. Das Protokoll muss eine gewöhnliche\n"
            "Datei sein (oder noch fehlen).\n\n"
            "Rückgabewert:\n"
            "  0    fertig\n"
            "  1    ein Skript ließ sich nicht starten, oder das Skript der Konten ist gescheitert\n"
            "  2    falscher Aufruf, eine Datei nicht lesbar oder keine QIF-Datei, das Konto unbekannt,\n"
            "       das Protokoll nicht nutzbar (keine gewöhnliche Datei) oder von einem anderen\n"
            "       velmora-import belegt, eine Buchung ohne lesbares Datum oder ohne lesbaren Betrag\n"
            "       oder mit zu langem Text oder ein Datum, dessen Tag und Monat vertauscht sein\n"
            "       können, ohne --trotzdem oder --nur-lesbare\n"
            "  3    Zandor läuft nicht oder hat keine Kontenmappe offen\n"
            "  4    eine Buchung ist unklar und nicht gesendet: ihr Skript endete nicht mit Status 0,\n"
            "       oder das Protokoll kennt sie so\n"
            "  5    eine Zeile des Protokolls ließ sich nicht schreiben (etwa die Platte voll)\n"
            "  128+Signal  durch ein Signal nach der laufenden Buchung angehalten: 130 Strg+C,\n"
            "       129 Terminal geschlossen, 131 SIGQUIT, 143 SIGTERM\n";
    return help;
}

int refuse(const UsageError& error, const Streams& streams)
{
    streams.tell("velmora-import: " + error.reason + "\n" + std::string(usage) + "Mehr dazu: velmora-import --help\n");
    return exit_refused;
}

int act(const Invocation& invocation, const Streams& streams)
{
    switch (invocation.action) {
    case Action::help:
        streams.out.buffer() += helpText();
        return exit_done;
    case Action::version:
        streams.out.buffer() += "Velmora " VELMORA_VERSION "\n";
        return exit_done;
    case Action::list_accounts:
        return ListAccounts(streams);
    case Action::import:
        break;
    }
    return RunImport(invocation, streams);
}

}  // namespace

int Main(const std::vector<std::string_view>& arguments, const Streams& streams)
{
    try {
        const auto parsed = ParseCommandLine(arguments);
        if (const auto* error = std::get_if<UsageError>(&parsed))
            return refuse(*error, streams);
        return act(std::get<Invocation>(parsed), streams);
    } catch (const std::exception& error) {
        streams.tell("velmora-import: " + std::string(error.what()) + "\n");
        return exit_script_failed;
    }
}

}  // namespace velmora::cli
