#pragma once
// The runtime's application object: the one QApplication of the process,
// registered so that the rest of the program can reach it and its executable.
#include <QApplication>
#include <filesystem>

namespace velmora::platform {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // The registered application object, or nullptr before one exists.
    static Application* registered();

    // The file of the running executable. Tests that run the program's window
    // from a bundle layout of their own point it there.
    std::filesystem::path ExecutableFile() const;
    void setExecutableFile(std::filesystem::path file);

    // Every event Qt delivers to program code passes through here; an error
    // that escapes a handler stops at this boundary and is reported.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::filesystem::path executable_file_;
};

}  // namespace velmora::platform
