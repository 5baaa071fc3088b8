#pragma once
// What the task dialogs share: the node images, the file choosers, the question box and the
// current year (for the year box). The task list window makes one; tests swap the choosers and the
// question box for scripted ones.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

#include "base/win32/gdi.h"

namespace kalvoro::win {

// The file-open dialogs of the task windows.
class ITaskFilePicker {
public:
    virtual ~ITaskFilePicker() = default;
    // "选择声音文件", sound files, starting in the sound folder.
    virtual std::optional<std::string> PickSoundFile(HWND owner) = 0;
    // "选择文件", all files.
    virtual std::optional<std::string> PickAnyFile(HWND owner) = 0;
};

class WinTaskFilePicker final : public ITaskFilePicker {
public:
    // sound_folder: AppDir + "MySound\".
    explicit WinTaskFilePicker(std::string sound_folder) : sound_folder_(std::move(sound_folder)) {}
    std::optional<std::string> PickSoundFile(HWND owner) override;
    std::optional<std::string> PickAnyFile(HWND owner) override;

private:
    std::string sound_folder_;
};

// The six node images, one list for the list window and the editor.
class TaskImages {
public:
    TaskImages();
    TaskImages(const TaskImages&) = delete;
    TaskImages& operator=(const TaskImages&) = delete;
    ~TaskImages();
    HIMAGELIST List() const { return list_; }
    HBITMAP Strip() const { return strip_.get(); }

private:
    HIMAGELIST list_ = nullptr;
    Bitmap strip_;
};

struct TaskDialogContext {
    ITaskFilePicker& picker;
    const TaskImages& images;
    int current_year = 2026;
    // MessageBox by default; returns the button pressed.
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)> message_box;
};

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

}  // namespace kalvoro::win
