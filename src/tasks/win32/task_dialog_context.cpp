#include "tasks/win32/task_dialog_context.h"

#include <commdlg.h>

#include <vector>

#include "base/win32/text.h"
#include "tasks/win32/task_pictures.h"

namespace kalvoro::win {
namespace {

std::optional<std::string> PickFile(HWND owner, std::wstring_view filter, const wchar_t* title,
                                    const std::string& initial_folder) {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring folder = Widen(initial_folder);
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = owner;
    open.lpstrFilter = filter.data();
    open.nFilterIndex = 1;
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.lpstrTitle = title;
    open.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&open)) return std::nullopt;
    return Narrow(file.data());
}

}  // namespace

std::optional<std::string> WinTaskFilePicker::PickSoundFile(HWND owner) {
    static constexpr wchar_t kFilter[] = L"声音文件\0*.wav;*.mp3\0WAV\0*.wav\0MP3\0*.mp3\0";
    return PickFile(owner, std::wstring_view(kFilter, std::size(kFilter)), L"选择声音文件", sound_folder_);
}

std::optional<std::string> WinTaskFilePicker::PickAnyFile(HWND owner) {
    static constexpr wchar_t kFilter[] = L"所有文件(*.*)\0*.*\0";
    return PickFile(owner, std::wstring_view(kFilter, std::size(kFilter)), L"选择文件", {});
}

TaskImages::TaskImages() : list_(CreateTaskImageList()), strip_(CreateTaskImageStrip()) {}

TaskImages::~TaskImages() {
    if (list_) ::ImageList_Destroy(list_);
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

}  // namespace kalvoro::win
