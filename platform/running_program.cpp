#include "platform/running_program.h"

namespace velmora::platform {

namespace {
RunningProgram* registered_program = nullptr;
}

RunningProgram::RunningProgram(std::filesystem::path executable_file) : executable_file_(std::move(executable_file))
{
    registered_program = this;
}

RunningProgram::~RunningProgram()
{
    if (registered_program == this)
        registered_program = nullptr;
}

RunningProgram* RunningProgram::registered()
{
    return registered_program;
}

}  // namespace velmora::platform
