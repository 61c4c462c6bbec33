#pragma once
// The running program as the rest of the program needs to know it: where its
// executable lies. One is registered at a time: the window program's
// application object, or the command-line importer's.
#include <filesystem>

namespace velmora::platform {

class RunningProgram {
public:
    // Registers itself until it is destroyed.
    explicit RunningProgram(std::filesystem::path executable_file);
    virtual ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The registered program, or nullptr before one exists.
    static RunningProgram* registered();

    // The file of the running executable. Tests that run the program from a
    // bundle layout of their own point it there.
    std::filesystem::path ExecutableFile() const { return executable_file_; }
    void setExecutableFile(std::filesystem::path file) { executable_file_ = std::move(file); }

private:
    std::filesystem::path executable_file_;
};

}  // namespace velmora::platform
