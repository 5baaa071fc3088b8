#pragma once
// The Linux side of the machine the tests run on under Wine: what the tests need from it and cannot
// get from the program under test (the time-zone database, an immutable folder). Wine starts a
// Linux program from CreateProcess but hands back no handle to wait on, so a script signals its end
// by a marker file.

#include <chrono>
#include <string>

namespace kalvoro::e2e {

// The Linux path of a Windows path (through Wine); empty when there is none.
std::string UnixPathOf(const std::wstring& windows_path);

// Runs the shell script with /bin/sh and waits until it has run to its end; false when it could not
// start or did not finish in time.
bool RunUnixScript(const std::string& script, std::chrono::milliseconds timeout = std::chrono::seconds(30));

// A folder made immutable (chattr +i) for as long as this object lives: even root, as whom Wine
// runs here, can then create, rename or delete nothing in it; files already inside stay writable.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const std::wstring& windows_path);
    ~ImmutableFolder();
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;
    bool locked() const { return locked_; }

private:
    std::wstring windows_path_;
    std::string unix_path_;
    bool locked_ = false;
};

}  // namespace kalvoro::e2e
