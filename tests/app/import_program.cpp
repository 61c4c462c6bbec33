#include "tests/app/import_program.h"

#include <sstream>

namespace velmora::testing {

namespace {

// Logs each text followed by a unit separator, each booking by a record separator.
std::string recordingScript(const std::filesystem::path& log)
{
    return "#!/bin/sh\nfor text do printf '%s\\037' \"$text\"; done >> '" + log.string() + "'\nprintf '\\036' >> '"
           + log.string() + "'\n";
}

// What a JSON string escape stands for; the preview writes no other escapes.
char unescaped(std::string_view escape)
{
    switch (escape[1]) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'u': return static_cast<char>(std::stoi(std::string(escape.substr(2, 4)), nullptr, 16));
    default: return escape[1];
    }
}

}  // namespace

std::vector<import::BookingArguments> DecodeJsonLines(std::string_view json_lines)
{
    std::vector<import::BookingArguments> bookings;
    for (const std::string& line : split(json_lines, '\n')) {
        if (line.empty())
            continue;
        import::BookingArguments& texts = bookings.emplace_back();
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '"')
                continue;
            std::string& text = texts.emplace_back();
            for (++i; line[i] != '"'; ++i) {
                if (line[i] != '\\') {
                    text += line[i];
                    continue;
                }
                text += unescaped(std::string_view(line).substr(i));
                i += line[i + 1] == 'u' ? 5 : 1;
            }
        }
    }
    return bookings;
}

ImportProgramTest::ImportProgramTest()
{
    const std::filesystem::path program = bundle.resources.parent_path() / "MacOS" / "velmora-import";
    std::filesystem::copy_file(VELMORA_IMPORT_PROGRAM, program);
    bundle.writeScript("buchungViaTessel.scpt", recordingScript(log));
}

process::Outcome ImportProgramTest::run(const std::vector<std::string>& arguments, std::string_view accounts)
{
    bundle.writePrintingScript("Kontennamen ermitteln.scpt", accounts);
    return process::run(bundle.resources.parent_path() / "MacOS" / "velmora-import", arguments);
}

std::string ImportProgramTest::file(std::string_view name, std::string_view bytes) const
{
    const std::filesystem::path path = bundle.folder / name;
    writeFile(path, bytes);
    return path.string();
}

std::vector<import::BookingArguments> ImportProgramTest::bookingsSent() const
{
    std::vector<import::BookingArguments> bookings;
    if (!std::filesystem::exists(log))
        return bookings;
    std::istringstream records(readFile(log));
    for (std::string record; std::getline(records, record, '\036');) {
        import::BookingArguments& texts = bookings.emplace_back(split(record, '\037'));
        texts.pop_back();  // what follows the last separator
    }
    return bookings;
}

}  // namespace velmora::testing
