#pragma once
// A bundle layout in a temporary folder, <folder>/<name>/Contents/{MacOS,Resources},
// with the application's executable pointed into it while it exists.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testing {

class TemporaryBundle {
public:
    explicit TemporaryBundle(std::string_view bundle_name = "T.app");
    ~TemporaryBundle();

    std::filesystem::path folder;
    std::filesystem::path resources;

    // Points the registered application's executable into this bundle.
    void enter() const;
    // Writes a script into Resources; executable unless told otherwise.
    void writeScript(std::string_view name, std::string_view body, bool executable = true) const;
    // Writes a script that prints `output` exactly, with no line end added.
    void writePrintingScript(std::string_view name, std::string_view output) const;

private:
    std::filesystem::path executable_;
    std::filesystem::path previous_executable_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, std::string_view content);
std::vector<std::string> split(std::string_view text, char separator);

}  // namespace velmora::testing
