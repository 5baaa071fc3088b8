#pragma once
// The base of the program's modal dialogs: a borderless pop-up with the skinned frame, a drop
// shadow when shadows are on, the dialog font 宋体 9 pt on all its controls, centred on the screen.
//
//   class MarkDialog : public SkinnedDialog {
//       MarkDialog() : SkinnedDialog("标记", 300, 200) {}
//       void OnCreateControls() override { AddEdit("", 20, 40, 200, 21, kTextId); AddButton("确定", ..., IDOK, true); }
//       bool OnOk() override { return !ItemText(kTextId).empty(); }   // false keeps the dialog open
//   };
//   bool changed = MarkDialog().RunModal(owner);
//
// Tab moves between controls, Enter presses the default button, Esc, the close button and Alt+F4
// cancel. IDOK ends with result 1 after OnOk agrees, IDCANCEL with 2.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "base/geometry.h"

namespace kalvoro::win {

class TFormShadow;

class SkinnedDialog : public Window {
public:
    static constexpr int kModalOk = IDOK;
    static constexpr int kModalCancel = IDCANCEL;
    static constexpr int kNoId = -1;

    // The size of the whole dialog; the frame's caption band takes its top 28 pixels.
    SkinnedDialog(std::string caption, int width, int height);
    ~SkinnedDialog() override;

    // Creates and shows the dialog with the owner disabled, runs it until EndModal, re-enables the
    // owner, fades the dialog out and destroys it. True when it ended with kModalOk. A WM_QUIT that
    // arrives meanwhile cancels the dialog and is posted again for the outer loop.
    bool RunModal(HWND owner);
    void EndModal(int result);

    bool IsRunning() const { return running_; }
    int ModalResult() const { return modal_result_; }
    const std::string& Caption() const { return caption_; }
    Size DialogSize() const { return size_; }
    const TFormShadow* Shadow() const { return shadow_.get(); }

protected:
    virtual void OnCreateControls() {}
    virtual void OnCommand(int id, int code);
    // OK was pressed; false keeps the dialog open.
    virtual bool OnOk() { return true; }

    // Controls in the dialog font, placed in client coordinates.
    HWND AddLabel(std::string_view text, int x, int y, int width, int height, int id = kNoId);
    HWND AddEdit(std::string_view text, int x, int y, int width, int height, int id, DWORD extra_style = 0);
    // The default button is the one Enter presses.
    HWND AddButton(std::string_view text, int x, int y, int width, int height, int id, bool is_default = false);
    HWND AddCheckBox(std::string_view text, int x, int y, int width, int height, int id, bool checked = false);
    HWND AddRadioButton(std::string_view text, int x, int y, int width, int height, int id, bool starts_group);
    // height includes the dropped-down list.
    HWND AddComboBox(int x, int y, int width, int height, int id, bool editable = false);
    HWND AddListBox(int x, int y, int width, int height, int id);
    HWND AddControl(const wchar_t* class_name, std::string_view text, DWORD style, DWORD ex_style, int x, int y,
                    int width, int height, int id);

    HWND Item(int id) const;
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    // Combo boxes and list boxes alike; the index of the added item, or -1.
    int AddItem(int id, std::string_view text);
    int SelectedIndex(int id) const;
    void SelectIndex(int id, int index);

    HFONT DialogFont() const { return font_.get(); }

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnDestroyed() override;

private:
    bool CreateDialogWindow(HWND owner);
    void RunMessageLoop();
    void FocusFirstControl() const;
    LRESULT OnControlColour(HDC dc);

    std::string caption_;
    Size size_;
    Font font_;
    Brush face_brush_;
    COLORREF face_colour_ = 0;
    std::unique_ptr<TFormShadow> shadow_;
    int default_id_ = 0;
    HWND last_focus_ = nullptr;
    bool running_ = false;
    bool ended_ = false;
    int modal_result_ = 0;
    bool quit_received_ = false;
    WPARAM quit_code_ = 0;
};

}  // namespace kalvoro::win
