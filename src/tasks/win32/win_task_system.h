#pragma once
// The scheduler's ways into the system: opening files through the shell and powering off.

#include "tasks/task_scheduler.h"

namespace kalvoro::win {

class WinTaskShell final : public ITaskShell {
public:
    bool FileExists(const std::string& utf8_path) override;
    // ShellExecute "open" with no owner, no parameters, no working folder, shown normally.
    void OpenFile(const std::string& utf8_path) override;
};

// Enables the shutdown privilege of the process's token, then asks the system to power off (not
// forced). The program does not close itself; the system's shutdown closes it.
class WinSystemPower final : public ISystemPower {
public:
    void ShutDownComputer() override;
};

}  // namespace kalvoro::win
