#include "tasks/win32/frm_act.h"

#include <commctrl.h>

#include "base/win32/text.h"
#include "tasks/task_list.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

bool FileExistsAt(const std::string& utf8_path) {
    if (utf8_path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(Widen(utf8_path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class TFrmAct final : public SkinnedDialog {
public:
    TFrmAct(bool add_mode, std::string text, const TaskDialogContext& context)
        : SkinnedDialog(add_mode ? "添加执行命令" : "编辑执行命令", 382, 216),
          add_mode_(add_mode),
          text_(std::move(text)),
          context_(context) {}

    const std::string& Text() const { return text_; }

protected:
    void OnCreateControls() override {
        AddRadioButton(kShutDownCommand, 32, 56, 200, 18, kActShutDownId, true);
        AddRadioButton("执行或打开文件", 32, 86, 200, 18, kActRunFileId, false);
        // The edit with its folder button: together 321 pixels wide.
        AddEdit("", 32, 112, 297, 21, kActFileEditId);
        AddButton("...", 331, 112, 22, 21, kActBrowseId);
        AddButton("确定(&O)", 196, 170, 75, 25, IDOK, true);
        AddButton("取消(&C)", 284, 170, 75, 25, IDCANCEL);
        CreateHint();
        if (!add_mode_) {
            if (text_ == kShutDownCommand) {
                SetChecked(kActShutDownId, true);
            } else {
                SetChecked(kActRunFileId, true);
                SetItemText(kActFileEditId, text_);
            }
        }
        UpdateEdit();
    }

    void OnCommand(int id, int code) override {
        switch (id) {
            case kActShutDownId:
            case kActRunFileId:
                if (code == BN_CLICKED) UpdateEdit();
                break;
            case kActFileEditId:
                if (code == EN_CHANGE) UpdateHint();
                break;
            case kActBrowseId:
                if (code == BN_CLICKED) {
                    if (auto chosen = context_.picker.PickAnyFile(hwnd())) SetItemText(kActFileEditId, *chosen);
                }
                break;
            default:
                break;
        }
    }

    bool OnOk() override {
        if (!IsChecked(kActShutDownId) && !IsChecked(kActRunFileId)) {
            Refuse(kActNoChoiceMessage);
            return false;
        }
        if (IsChecked(kActRunFileId)) {
            const std::string name = ItemText(kActFileEditId);
            if (!FileExistsAt(name)) {
                Refuse(MissingFileMessage(name));
                return false;
            }
            text_ = name;
        } else {
            text_ = kShutDownCommand;
        }
        return true;
    }

private:
    void Refuse(const std::string& message) {
        context_.message_box(hwnd(), message, kActHintCaption, MB_OK | MB_ICONINFORMATION);
    }

    void UpdateEdit() {
        const bool file = IsChecked(kActRunFileId);
        ::EnableWindow(Item(kActFileEditId), file);
        ::EnableWindow(Item(kActBrowseId), file);
    }

    void CreateHint() {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&classes);
        hint_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                  0, 0, 0, hwnd(), nullptr, ModuleInstance(), nullptr);
        if (!hint_) return;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Item(kActFileEditId));
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(hint_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // The edit's hint shows its whole text, which may be longer than the edit.
    void UpdateHint() {
        if (!hint_) return;
        hint_text_ = Widen(ItemText(kActFileEditId));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Item(kActFileEditId));
        tool.lpszText = hint_text_.data();
        ::SendMessageW(hint_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    bool add_mode_;
    std::string text_;
    const TaskDialogContext& context_;
    HWND hint_ = nullptr;  // owned by the dialog, destroyed with it
    std::wstring hint_text_;
};

}  // namespace

std::string MissingFileMessage(const std::string& name) {
    return "\"" + name + "\"\r\n文件不存在";
}

bool EditCommand(HWND owner, bool add_mode, std::string& text, const TaskDialogContext& context) {
    TFrmAct dialog(add_mode, add_mode ? std::string() : text, context);
    if (!dialog.RunModal(owner)) return false;
    text = dialog.Text();
    return true;
}

}  // namespace kalvoro::win
