#include "ui/win32/skinned_dialog.h"

#include "base/win32/dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/win32/text.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/frame_skin.h"
#include "ui/win32/ui_fonts.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kDialogClass[] = L"KalvoroSkinnedDialog";
constexpr COLORREF kSeeThrough = RGB(255, 0, 255);

bool IsDark(COLORREF colour) {
    return GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114 < 128 * 1000;
}

// Centred on the owner's monitor (the primary one without an owner), kept inside its work area.
POINT CentredPosition(Size size, HWND owner) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                   : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!::GetMonitorInfoW(monitor, &info)) {
        return {(::GetSystemMetrics(SM_CXSCREEN) - size.width) / 2,
                (::GetSystemMetrics(SM_CYSCREEN) - size.height) / 2};
    }
    const RECT& screen = info.rcMonitor;
    const RECT& work = info.rcWork;
    LONG x = screen.left + (screen.right - screen.left - size.width) / 2;
    LONG y = screen.top + (screen.bottom - screen.top - size.height) / 2;
    x = std::max(work.left, std::min(x, work.right - size.width));
    y = std::max(work.top, std::min(y, work.bottom - size.height));
    return {x, y};
}

std::wstring WindowTextOf(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

enum class ListKind { kNone, kCombo, kList };

ListKind ListKindOf(HWND control) {
    wchar_t name[32] = {};
    ::GetClassNameW(control, name, 32);
    if (::lstrcmpiW(name, WC_COMBOBOXW) == 0) return ListKind::kCombo;
    if (::lstrcmpiW(name, WC_LISTBOXW) == 0) return ListKind::kList;
    return ListKind::kNone;
}

}  // namespace

SkinnedDialog::SkinnedDialog(std::string caption, int width, int height)
    : caption_(std::move(caption)), size_{std::clamp(width, 1, 4096), std::clamp(height, 1, 4096)} {}

SkinnedDialog::~SkinnedDialog() {
    if (shadow_) shadow_->Destroy();
}

bool SkinnedDialog::RunModal(HWND owner) {
    if (running_ || hwnd()) return false;
    owner = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    running_ = true;
    ended_ = false;
    modal_result_ = kModalCancel;
    quit_received_ = false;
    if (!CreateDialogWindow(owner)) {
        Destroy();
        running_ = false;
        return false;
    }

    const bool owner_was_enabled = owner && ::IsWindowEnabled(owner);
    if (owner_was_enabled) ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::UpdateWindow(hwnd());
    ::SetForegroundWindow(hwnd());
    // The shadow takes the dialog's shape from its pixels, which are only there now.
    if (shadow_) shadow_->Refresh();
    FocusFirstControl();

    RunMessageLoop();

    // The owner must be enabled again before the dialog goes, or the system activates another program.
    if (owner_was_enabled) ::EnableWindow(owner, TRUE);
    if (IsAlive()) FadeOut(hwnd(), shadow_.get());
    if (shadow_) {
        shadow_->Destroy();
        shadow_.reset();
    }
    Destroy();
    font_.reset();
    face_brush_.reset();
    running_ = false;
    if (quit_received_) ::PostQuitMessage(static_cast<int>(quit_code_));
    return modal_result_ == kModalOk;
}

bool SkinnedDialog::CreateDialogWindow(HWND owner) {
    if (!RegisterWindowClass(kDialogClass, {CS_DBLCLKS})) return false;
    const std::shared_ptr<const TMyWindow> frame = DialogFrameSkin();
    face_colour_ = frame->FaceColor();
    face_brush_.reset(::CreateSolidBrush(face_colour_));
    // Laid out in 96-DPI units, shown at the resolution of the owner's monitor.
    SetScale(owner ? ScaleOfWindow(owner) : SystemScale());
    font_ = CreateDialogFont(Scale());
    default_id_ = 0;
    last_focus_ = nullptr;

    const Size size = Scale().Px(size_);
    const POINT position = CentredPosition(size, owner);
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_CONTROLPARENT, kDialogClass, Widen(caption_).c_str(),
                      WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, position.x, position.y, size.width, size.height,
                      owner)) {
        return false;
    }
    // The frame's outer pixel row is see-through; alpha is stepped down when the dialog fades out.
    ::SetLayeredWindowAttributes(hwnd(), kSeeThrough, 255, LWA_COLORKEY | LWA_ALPHA);
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // A dialog whose controls could not all be made is not shown half-built.
    if (!Guarded([this] { OnCreateControls(); })) return false;
    frame->Apply(hwnd(), caption_, true);
    if (ShadowsOnFlag()) {
        shadow_ = std::make_unique<TFormShadow>();
        if (shadow_->Create(owner)) {
            shadow_->Attach(hwnd());
            shadow_->Show(true);
        } else {
            shadow_.reset();
        }
    }
    return true;
}

void SkinnedDialog::RunMessageLoop() {
    MSG message{};
    while (!ended_ && IsAlive()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            quit_received_ = true;
            quit_code_ = message.wParam;
            break;
        }
        if (IsAlive() && ::IsDialogMessageW(hwnd(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (!ended_) modal_result_ = kModalCancel;
}

void SkinnedDialog::EndModal(int result) {
    modal_result_ = result;
    ended_ = true;
    // Wakes the loop when the call came from outside a message of this thread.
    if (hwnd()) ::PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void SkinnedDialog::FocusFirstControl() const {
    HWND first =
        last_focus_ && ::IsChild(hwnd(), last_focus_) ? last_focus_ : ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    if (first) {
        ::SetFocus(first);
        if (::SendMessageW(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(first, EM_SETSEL, 0, -1);
    } else {
        ::SetFocus(hwnd());
    }
}

void SkinnedDialog::OnCommand(int, int) {}

HWND SkinnedDialog::AddControl(const wchar_t* class_name, std::string_view text, DWORD style, DWORD ex_style, int x,
                               int y, int width, int height, int id) {
    if (!hwnd()) return nullptr;
    const HWND control = ::CreateWindowExW(
        ex_style, class_name, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, Px(x), Px(y), Px(width), Px(height),
        hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id == kNoId ? 0xFFFF : id)), ModuleInstance(), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND SkinnedDialog::AddLabel(std::string_view text, int x, int y, int width, int height, int id) {
    return AddControl(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, 0, x, y, width, height, id);
}

HWND SkinnedDialog::AddEdit(std::string_view text, int x, int y, int width, int height, int id, DWORD extra_style) {
    return AddControl(WC_EDITW, text, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | extra_style, 0, x, y, width, height,
                      id);
}

HWND SkinnedDialog::AddButton(std::string_view text, int x, int y, int width, int height, int id, bool is_default) {
    if (is_default) default_id_ = id;
    return AddControl(WC_BUTTONW, text, WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, x, y, width,
                      height, id);
}

HWND SkinnedDialog::AddCheckBox(std::string_view text, int x, int y, int width, int height, int id, bool checked) {
    const HWND box = AddControl(WC_BUTTONW, text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, x, y, width, height, id);
    if (box && checked) ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    return box;
}

HWND SkinnedDialog::AddRadioButton(std::string_view text, int x, int y, int width, int height, int id,
                                   bool starts_group) {
    return AddControl(WC_BUTTONW, text, BS_AUTORADIOBUTTON | (starts_group ? WS_GROUP | WS_TABSTOP : 0), 0, x, y, width,
                      height, id);
}

HWND SkinnedDialog::AddComboBox(int x, int y, int width, int height, int id, bool editable) {
    return AddControl(WC_COMBOBOXW, "", WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST), 0, x, y,
                      width, height, id);
}

HWND SkinnedDialog::AddListBox(int x, int y, int width, int height, int id) {
    return AddControl(WC_LISTBOXW, "", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, x, y,
                      width, height, id);
}

HWND SkinnedDialog::Item(int id) const {
    return hwnd() ? ::GetDlgItem(hwnd(), id) : nullptr;
}

std::string SkinnedDialog::ItemText(int id) const {
    return Narrow(WindowTextOf(Item(id)));
}

void SkinnedDialog::SetItemText(int id, std::string_view text) {
    if (const HWND item = Item(id)) ::SetWindowTextW(item, Widen(text).c_str());
}

bool SkinnedDialog::IsChecked(int id) const {
    const HWND item = Item(id);
    return item && ::SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SkinnedDialog::SetChecked(int id, bool checked) {
    if (const HWND item = Item(id)) ::SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int SkinnedDialog::AddItem(int id, std::string_view text) {
    const HWND item = Item(id);
    const std::wstring wide = Widen(text);
    const auto text_param = reinterpret_cast<LPARAM>(wide.c_str());
    switch (ListKindOf(item)) {
        case ListKind::kCombo:
            return static_cast<int>(::SendMessageW(item, CB_ADDSTRING, 0, text_param));
        case ListKind::kList:
            return static_cast<int>(::SendMessageW(item, LB_ADDSTRING, 0, text_param));
        case ListKind::kNone:
            break;
    }
    return -1;
}

int SkinnedDialog::SelectedIndex(int id) const {
    const HWND item = Item(id);
    switch (ListKindOf(item)) {
        case ListKind::kCombo:
            return static_cast<int>(::SendMessageW(item, CB_GETCURSEL, 0, 0));
        case ListKind::kList:
            return static_cast<int>(::SendMessageW(item, LB_GETCURSEL, 0, 0));
        case ListKind::kNone:
            break;
    }
    return -1;
}

void SkinnedDialog::SelectIndex(int id, int index) {
    const HWND item = Item(id);
    switch (ListKindOf(item)) {
        case ListKind::kCombo:
            ::SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        case ListKind::kList:
            ::SendMessageW(item, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        case ListKind::kNone:
            break;
    }
}

LRESULT SkinnedDialog::OnControlColour(HDC dc) {
    ::SetTextColor(dc, IsDark(face_colour_) ? RGB(255, 255, 255) : ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, face_colour_);
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(face_brush_.get());
}

LRESULT SkinnedDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const int code = HIWORD(wparam);
            if (id == IDOK && (code == BN_CLICKED || lparam == 0)) {
                if (OnOk()) EndModal(kModalOk);
            } else if (id == IDCANCEL && (code == BN_CLICKED || lparam == 0)) {
                EndModal(kModalCancel);
            } else {
                OnCommand(id, code);
            }
            return 0;
        }
        case WM_CLOSE:
            EndModal(kModalCancel);
            return 0;
        case DM_GETDEFID:
            return default_id_ ? MAKELRESULT(default_id_, DC_HASDEFID) : 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (face_brush_) return OnControlColour(reinterpret_cast<HDC>(wparam));
            break;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd(), focus)) last_focus_ = focus;
            } else {
                FocusFirstControl();
            }
            return 0;
        case WM_SETFOCUS:
            FocusFirstControl();
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

void SkinnedDialog::OnDestroyed() {
    if (running_ && !ended_) {
        modal_result_ = kModalCancel;
        ended_ = true;
    }
}

}  // namespace kalvoro::win
