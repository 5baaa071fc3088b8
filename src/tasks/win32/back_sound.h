#pragma once
// The sound player: plays a "*"-joined list of files one after another through MCI. Its window is
// message-only and exists to receive MM_MCINOTIFY, which moves the list on to its next file.
//
// States: idle (nothing pending), playing the last file (nothing pending), playing with files
// pending. Only in the last state is a new list refused, so a chime never cuts into a list.
// Every notification moves the list on, whatever its code, except those of the list before that a
// new list's "close all" overtakes (its last file's end, the abort of its device): they would start
// the new list's second file over its first.

#include <windows.h>

#include <string>
#include <string_view>

#include "base/win32/window.h"
#include "tasks/sound_player.h"

namespace kalvoro::win {

// The one MCI call the player makes, kept apart so tests can record the command strings.
class IMciCommands {
public:
    virtual ~IMciCommands() = default;
    // mciSendString without a return buffer; "notify" commands report to notify_window. Returns
    // the MCI error code, 0 on success.
    virtual unsigned long Send(const std::wstring& command, HWND notify_window) = 0;
};

// The system's MCI; when KALVORO_SOUND_LOG names a file, the same with every command also logged
// there (back_sound.cpp says how).
IMciCommands& SystemMci();

class BackSound final : public Window, public ISoundPlayer {
public:
    explicit BackSound(IMciCommands& mci = SystemMci());

    // Creates the message-only window; false when that failed (nothing will play then).
    bool Create();

    // Starts a list unless files of the last one are still waiting. Files that do not exist are
    // skipped; a list with none that exists plays nothing.
    void Play(std::string_view star_joined_paths);
    void PlayFiles(std::string_view star_joined_paths) override { Play(star_joined_paths); }

    bool HasPending() const { return !pending_.empty(); }

    // The short (8.3) form of a path, so that command strings hold no blanks; the path itself on a
    // volume without short names; "0" when there is none because the file does not exist.
    static std::wstring ShortPath(const std::wstring& path);
    // A path as a command string names it: in quotes when it still holds a blank.
    static std::wstring CommandName(const std::wstring& path);

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnMciNotify(WPARAM code);
    std::wstring NextFile();
    std::wstring NextExistingFile();
    // Opens and plays files from `file` on until one starts; with a "close all" first for a new list.
    void StartFrom(std::wstring file, bool new_list);
    void DiscardQueuedNotifications();

    IMciCommands& mci_;
    std::wstring pending_;
    // Notifications still to come for plays this player started, and how many of them belong to an
    // earlier list whose devices "close all" stopped.
    unsigned outstanding_notifications_ = 0;
    unsigned stale_notifications_ = 0;
};

}  // namespace kalvoro::win
