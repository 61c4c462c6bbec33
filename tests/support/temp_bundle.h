#pragma once
// A throw-away bundle layout for tests: <tmp>/Test.app/Contents/MacOS/Velmora
// beside Contents/Resources/, with scripts written by the test.
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::testing {

class TempBundle {
public:
    TempBundle();
    ~TempBundle();
    TempBundle(const TempBundle&) = delete;
    TempBundle& operator=(const TempBundle&) = delete;

    std::filesystem::path root() const { return root_; }
    std::filesystem::path executable() const;
    std::filesystem::path resources() const;

    // Writes an executable /bin/sh script called `name` with `body` below its "#!/bin/sh" line.
    void writeScript(std::string_view name, std::string_view body) const;
    // A script that prints `output` exactly (no line end added).
    void writePrintingScript(std::string_view name, std::string_view output) const;

private:
    std::filesystem::path root_;
};

}  // namespace velmora::testing
