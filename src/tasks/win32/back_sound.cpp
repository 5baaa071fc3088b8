#include "tasks/win32/back_sound.h"

#include <mmsystem.h>

#include <string>

#include "base/win32/handles.h"
#include "base/win32/seam_log.h"
#include "base/win32/text.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kClassName[] = L"KalvoroBackSound";
// Stands for a path without a short form; never a file that exists.
constexpr wchar_t kNoShortPath[] = L"0";

class WinMci final : public IMciCommands {
public:
    unsigned long Send(const std::wstring& command, HWND notify_window) override {
        return ::mciSendStringW(command.c_str(), nullptr, 0, notify_window);
    }
};

// With KALVORO_SOUND_LOG=<log file> the player's commands still go to MCI, and each is also
// appended to that file as one UTF-8 line: the command, a tab, MCI's result code. For watching what
// the program plays where no one listens (the end-to-end tests); the variable is read once, when
// the program's player is made at start.
class LoggedMci final : public IMciCommands {
public:
    LoggedMci(IMciCommands& inner, std::wstring log_file) : inner_(inner), log_file_(std::move(log_file)) {}

    unsigned long Send(const std::wstring& command, HWND notify_window) override {
        const unsigned long result = inner_.Send(command, notify_window);
        AppendSeamLine(log_file_, Narrow(command) + "\t" + std::to_string(result) + "\r\n");
        return result;
    }

private:
    IMciCommands& inner_;
    std::wstring log_file_;
};

bool FileExists(const std::wstring& path) {
    if (path.empty() || path == kNoShortPath) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

IMciCommands& SystemMci() {
    static WinMci mci;
    static const std::wstring log_file = SeamLogFile(L"KALVORO_SOUND_LOG");
    if (log_file.empty()) return mci;
    static LoggedMci logged(mci, log_file);
    return logged;
}

BackSound::BackSound(IMciCommands& mci) : mci_(mci) {}

bool BackSound::Create() {
    if (!RegisterWindowClass(kClassName)) return false;
    return CreateHandle(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

std::wstring BackSound::ShortPath(const std::wstring& path) {
    const DWORD needed = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return kNoShortPath;
    std::wstring short_path(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), short_path.data(), needed);
    if (length == 0 || length >= needed) return kNoShortPath;
    short_path.resize(length);
    return short_path;
}

std::wstring BackSound::CommandName(const std::wstring& path) {
    // Without short names on the volume a blank can remain; MCI takes a quoted name whole.
    if (path.find(L' ') == std::wstring::npos) return path;
    return L"\"" + path + L"\"";
}

std::wstring BackSound::NextFile() {
    std::wstring entry;
    const std::size_t star = pending_.find(L'*');
    if (star == std::wstring::npos) {
        entry = std::move(pending_);
        pending_.clear();
    } else {
        entry = pending_.substr(0, star);
        pending_.erase(0, star + 1);
    }
    if (entry.empty()) return entry;
    return ShortPath(entry);
}

std::wstring BackSound::NextExistingFile() {
    // Empty entries ("a.wav**b.wav") are skipped like missing files: stopping at one would leave
    // files pending with nothing playing, and every later list refused.
    while (true) {
        std::wstring file = NextFile();
        if (FileExists(file)) return file;
        if (pending_.empty()) return {};
    }
}

void BackSound::Play(std::string_view star_joined_paths) {
    if (!pending_.empty()) return;
    pending_ = Widen(star_joined_paths);
    std::wstring file = NextExistingFile();
    if (!file.empty()) StartFrom(std::move(file), true);
}

void BackSound::OnMciNotify(WPARAM code) {
    if (outstanding_notifications_ > 0) --outstanding_notifications_;
    if (stale_notifications_ > 0 && (code == MCI_NOTIFY_ABORTED || code == MCI_NOTIFY_SUPERSEDED)) {
        --stale_notifications_;
        return;
    }
    std::wstring file = NextExistingFile();
    if (!file.empty()) StartFrom(std::move(file), false);
}

void BackSound::StartFrom(std::wstring file, bool new_list) {
    if (new_list) {
        // What the list before still has to report is about devices "close all" ends: what is
        // queued already goes now, an abort still to come is recognised by its code.
        DiscardQueuedNotifications();
        mci_.Send(L"close all", hwnd());
        DiscardQueuedNotifications();
        stale_notifications_ = outstanding_notifications_;
    }
    // A file MCI cannot play sends no notification; the list goes on with the next file rather than
    // waiting for one, which would refuse every later list.
    while (!file.empty()) {
        const std::wstring name = CommandName(file);
        mci_.Send(L"open " + name, hwnd());
        if (mci_.Send(L"play " + name + L" from 0 notify", hwnd()) == 0) {
            ++outstanding_notifications_;
            return;
        }
        file = NextExistingFile();
    }
}

void BackSound::DiscardQueuedNotifications() {
    MSG msg;
    while (hwnd() && ::PeekMessageW(&msg, hwnd(), MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
        if (outstanding_notifications_ > 0) --outstanding_notifications_;
    }
}

LRESULT BackSound::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == MM_MCINOTIFY) {
        Guarded([this, wparam] { OnMciNotify(wparam); });
        return 0;
    }
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
