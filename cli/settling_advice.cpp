#include "cli/settling_advice.h"

#include <algorithm>

#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

// What a shell takes as part of a plain word; bytes of UTF-8 sequences too.
bool plainInAShell(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
           || std::string_view("_-+=.,:/@%").find(c) != std::string_view::npos;
}

std::string settlingCall(const Invocation& invocation, RecordNote note, const std::vector<std::string>& files)
{
    std::string call = "  velmora-import --konto " + ShellWord(invocation.konto);
    for (const OptionFlag& flag : option_flags)
        if (invocation.is_ticked(flag.option))
            call += " " + std::string(flag.flag);
    if (!invocation.record.file.empty())
        call += " --protokoll " + ShellWord(invocation.record.file.string());
    call += " " + std::string(FlagOf(note));
    for (const std::string& file : files)
        call += " " + ShellWord(file.starts_with('-') ? "./" + file : file);  // never read as an option
    return call + "\n";
}

}  // namespace

std::string BookingInDoubtLine(const import::BookingArguments& texts, std::string_view file, std::int64_t line)
{
    std::string shown = "  " + std::string(file);
    if (line >= 0)
        shown += ", Zeile " + text::GermanCount(static_cast<std::size_t>(line) + 1);
    shown += ": " + (texts[0].empty() ? std::string("ohne Datum") : texts[0]) + "  " + EuroAmount(texts[2]) + "  von "
             + texts[3] + " an " + texts[4];
    for (const std::string* part : {&texts[6], &texts[7]})
        if (!part->empty())
            shown += "  " + *part;
    return shown;
}

std::string SettlingCalls(const Invocation& invocation, const std::vector<std::string>& files, std::size_t bookings)
{
    const bool one = bookings == 1;
    return std::string("Bitte in Zandor nachsehen. ") + (one ? "Steht sie dort:\n" : "Stehen sie dort:\n")
           + settlingCall(invocation, RecordNote::angekommen, files) + (one ? "Fehlt sie:\n" : "Fehlen sie:\n")
           + settlingCall(invocation, RecordNote::nicht_angekommen, files);
}

std::string ShellWord(std::string_view word)
{
    if (!word.empty() && std::all_of(word.begin(), word.end(), plainInAShell))
        return std::string(word);
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace velmora::cli
