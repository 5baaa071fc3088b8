#include "tasks/win32/frm_input_msg.h"

#include "base/gbk.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmInputMsg final : public SkinnedDialog {
public:
    TFrmInputMsg(bool add_mode, std::string text)
        : SkinnedDialog(add_mode ? "添加消息" : "编辑消息", 382, 266), text_(std::move(text)) {}

    const std::string& Text() const { return text_; }

protected:
    void OnCreateControls() override {
        const HWND memo = AddEdit(text_, 20, 40, 340, 173, kInputMsgMemoId,
                                  ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
        if (memo) ::SendMessageW(memo, EM_LIMITTEXT, kInputMsgMaxChars, 0);
        AddLabel("0/200字节", 24, 221, 120, 14, kInputMsgCounterId);
        AddButton("确定(&O)", 196, 230, 75, 25, IDOK);
        AddButton("取消(&C)", 284, 230, 75, 25, IDCANCEL);
        RzMemo1Change();
    }

    void OnCommand(int id, int code) override {
        if (id == kInputMsgMemoId && code == EN_CHANGE) RzMemo1Change();
    }

    bool OnOk() override {
        text_.clear();
        for (const char c : ItemText(kInputMsgMemoId)) {
            if (c != '\r' && c != '\n') text_ += c;
        }
        return true;
    }

private:
    // Bytes as the file will hold them, line breaks (CR LF) included.
    void RzMemo1Change() {
        SetItemText(kInputMsgCounterId, std::to_string(GbkLength(ItemText(kInputMsgMemoId))) + "/200字节");
    }

    std::string text_;
};

}  // namespace

bool EditMessage(HWND owner, bool add_mode, std::string& text) {
    TFrmInputMsg dialog(add_mode, add_mode ? std::string() : text);
    if (!dialog.RunModal(owner)) return false;
    text = dialog.Text();
    return true;
}

}  // namespace kalvoro::win
