#pragma once
// Test helpers for the calendar window and its dialogs: an application folder in the temp folder
// with the shipped skin, a popup sender that records, and ways to find and drive an open dialog.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/popup_protocol.h"
#include "base/file_store.h"
#include "base/gbk.h"
#include "base/win32/text.h"

namespace kalvoro::win::testing {

namespace fs = std::filesystem;

class RecordingPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view utf8_text) override {
        texts.emplace_back(utf8_text);
        return available;
    }
    std::vector<std::string> texts;
    bool available = true;
};

// A fresh application folder: "Skin\Default.sk" and a "skin.ini" naming it.
class TempAppFolder {
public:
    explicit TempAppFolder(bool with_skin = true) {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        dir_ = fs::path(temp) /
               ("kalvoro-calwin-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter));
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        fs::create_directories(dir_ / "Skin");
        if (with_skin) {
            const auto skin = DiskFileStore().ReadAll(SkinSource());
            if (skin) DiskFileStore().WriteAtomic(Path("Skin\\Default.sk"), *skin);
            DiskFileStore().WriteAtomic(Path("skin.ini"), "[SKIN]\r\nSkinFile=Default.sk\r\n");
        }
    }
    ~TempAppFolder() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    TempAppFolder(const TempAppFolder&) = delete;
    TempAppFolder& operator=(const TempAppFolder&) = delete;

    static std::string SkinSource() { return std::string(KALVORO_SOURCE_DIR) + "/resources/skins/Skin/Default.sk"; }
    // AppDir: the folder with a trailing "\".
    std::string AppDir() const { return Narrow(dir_.wstring()) + "\\"; }
    std::string Path(std::string_view name) const { return AppDir() + std::string(name); }
    // "Marks.rec" as UTF-8; empty when missing.
    std::string MarksFile() const { return GbkToUtf8(DiskFileStore().ReadAll(Path("Marks.rec")).value_or("")); }
    void WriteMarksFile(std::string_view utf8) const {
        DiskFileStore().WriteAtomic(Path("Marks.rec"), Utf8ToGbk(utf8));
    }

private:
    fs::path dir_;
};

inline HWND FindDialog(const wchar_t* caption) {
    return ::FindWindowW(L"KalvoroSkinnedDialog", caption);
}

inline void Click(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Selects a combo box item as the user would, with the notification the dialog reacts to.
inline void ChooseItem(HWND dialog, int id, int index) {
    const HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

inline int ChosenItem(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

inline std::string ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return Narrow(text);
}

inline void SetItemText(HWND dialog, int id, std::string_view utf8) {
    ::SetDlgItemTextW(dialog, id, Widen(utf8).c_str());
}

// The system's message box (class #32770) owned by a window.
inline HWND FindMessageBox(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& state = *reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            ::GetClassNameW(hwnd, name, 16);
            if (::lstrcmpW(name, L"#32770") != 0 || ::GetWindow(hwnd, GW_OWNER) != state.owner) return TRUE;
            state.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace kalvoro::win::testing
