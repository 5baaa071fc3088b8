#pragma once
// The scheduler's ways into the system: opening files through the shell and powering off.

#include <string>

#include "tasks/task_scheduler.h"

namespace kalvoro::win {

// The environment variable KALVORO_SHELL_LOG=<log file>, read once when this object is made (at
// the program's start), makes it also append each path it opens to that file, one UTF-8 line each:
// for seeing what a task opened and what it skipped (end-to-end tests). Opening goes on as ever.
inline constexpr wchar_t kShellLogVariable[] = L"KALVORO_SHELL_LOG";

class WinTaskShell final : public ITaskShell {
public:
    WinTaskShell();
    bool FileExists(const std::string& utf8_path) override;
    // ShellExecute "open" with no owner, no parameters, no working folder, shown normally.
    void OpenFile(const std::string& utf8_path) override;

private:
    std::wstring log_;  // empty: nothing logged
};

// Enables the shutdown privilege of the process's token, then asks the system to power off (not
// forced). The program does not close itself; the system's shutdown closes it.
//
// The environment variable KALVORO_FAKE_POWER=<log file>, read once when this object is made (at
// the program's start), makes it append the line "power off" to that file instead and leave the
// machine running: for carrying out a shutdown task where the machine must stay up (end-to-end tests).
inline constexpr wchar_t kFakePowerVariable[] = L"KALVORO_FAKE_POWER";

class WinSystemPower final : public ISystemPower {
public:
    WinSystemPower();
    void ShutDownComputer() override;

private:
    std::wstring fake_log_;  // empty: the real power-off
};

}  // namespace kalvoro::win
