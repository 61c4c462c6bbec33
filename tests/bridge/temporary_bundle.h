#pragma once
// A bundle layout in a temporary folder, <folder>/T.app/Contents/{MacOS,Resources},
// with the application's executable pointed into it for as long as it exists.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testing {

class TemporaryBundle {
public:
    explicit TemporaryBundle(std::string_view bundle_name = "T.app");
    ~TemporaryBundle();
    TemporaryBundle(const TemporaryBundle&) = delete;
    TemporaryBundle& operator=(const TemporaryBundle&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path executable() const;
    std::filesystem::path resources() const;

    // Points the registered application's executable into this bundle.
    void enter() const;

    // Writes a script into Resources; executable unless told otherwise.
    void writeScript(std::string_view name, std::string_view body, bool executable = true) const;
    // Copies a script into Resources, keeping its permissions.
    void copyScript(const std::filesystem::path& source) const;

private:
    std::filesystem::path folder_;
    std::filesystem::path bundle_;
    std::filesystem::path previous_executable_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, std::string_view content);
std::vector<std::string> split(std::string_view text, char separator);

}  // namespace velmora::testing
