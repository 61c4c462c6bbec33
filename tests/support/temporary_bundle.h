#pragma once
// A bundle layout in a temporary folder, <folder>/<name>/Contents/{MacOS,Resources},
// with the running program's executable pointed into it while it exists.
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::testing {

using Texts = std::vector<std::string>;

class TemporaryBundle {
public:
    explicit TemporaryBundle(std::string_view bundle_name = "T.app");
    ~TemporaryBundle();

    // Writes a file beside the bundle and returns its path.
    std::filesystem::path file(std::string_view name, std::string_view bytes) const;
    // Writes a script into Resources; executable unless told otherwise.
    void writeScript(std::string_view name, std::string_view body, bool executable = true) const;
    // Writes a script that prints `output` exactly, with no line end added.
    void writePrintingScript(std::string_view name, std::string_view output) const;
    // Makes the booking script log the texts of every booking; gives them back.
    void recordBookings() const;
    std::vector<Texts> bookingsRecorded() const;
    std::filesystem::path bookingLog() const { return folder / "bookings.log"; }

    const std::filesystem::path folder, resources, macos, previous_executable;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, std::string_view content);
Texts split(std::string_view text, char separator);

}  // namespace velmora::testing
