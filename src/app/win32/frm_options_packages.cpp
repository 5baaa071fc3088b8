// The package lists of 皮肤 and 时钟: filling, previews, the version warning and 应用(&A).

#include "app/win32/frm_options_dialog.h"
#include "base/win32/text.h"

namespace kalvoro::win::options_dialog {

void TFrmOptions::FillPackageList(int list_id, const std::string& folder, std::string_view extension,
                                  const std::string& current, std::vector<PackageEntry>& entries) {
    entries = ListPackages(context_.app_dir + folder, extension);
    const HWND list = Item(list_id);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int selected = entries.empty() ? -1 : 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entries[i].name).c_str()));
        if (selected == 0 && entries[i].name == current) selected = static_cast<int>(i);
    }
    if (selected < 0) return;
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (list_id == kOptSkinList) {
        PreviewSkin();
    } else {
        PreviewClock();
    }
}

const PackageEntry* TFrmOptions::SelectedEntry(int list_id, const std::vector<PackageEntry>& entries) const {
    const int row = static_cast<int>(::SendMessageW(Item(list_id), LB_GETCURSEL, 0, 0));
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return nullptr;
    return &entries[static_cast<std::size_t>(row)];
}

void TFrmOptions::WarnUnknownVersion() {
    ::MessageBoxW(hwnd(), Widen(kUnknownVersionText).c_str(), Widen(kUnknownVersionCaption).c_str(),
                  MB_OK | MB_ICONWARNING);
}

void TFrmOptions::PreviewSkin() {
    skin_preview_.reset();
    skin_path_.clear();
    ::EnableWindow(Item(kOptSkinApply), FALSE);
    ::InvalidateRect(Item(kOptSkinPreview), nullptr, TRUE);
    const PackageEntry* entry = SelectedEntry(kOptSkinList, skins_);
    if (!entry) return;
    BarPreview preview = DrawBarPreview(entry->path, TodayText());
    if (preview.problem == SkinPackageProblem::kWrongVersion) {
        WarnUnknownVersion();
        return;
    }
    skin_preview_ = std::move(preview.picture);
    ::InvalidateRect(Item(kOptSkinPreview), nullptr, TRUE);
    if (preview.problem != SkinPackageProblem::kNone) return;
    skin_path_ = entry->path;
    ::EnableWindow(Item(kOptSkinApply), TRUE);
}

void TFrmOptions::PreviewClock() {
    clock_preview_.reset();
    clock_path_.clear();
    ::EnableWindow(Item(kOptClockApply), FALSE);
    ::InvalidateRect(Item(kOptClockPreview), nullptr, TRUE);
    const PackageEntry* entry = SelectedEntry(kOptClockList, clocks_);
    if (!entry) return;
    FacePreview face = LoadFacePreview(entry->path);
    if (face.problem == SkinPackageProblem::kWrongVersion) {
        WarnUnknownVersion();
        return;
    }
    if (face.problem != SkinPackageProblem::kNone || !face.picture) return;
    clock_preview_ = std::move(face.picture);
    RECT frame{};
    ::GetWindowRect(Item(kOptClockPreview), &frame);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&frame), 2);
    ::SetWindowPos(Item(kOptClockPreview), nullptr, 0, 0, face.shown.width, face.shown.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Item(kOptClockPreview), nullptr, TRUE);
    clock_path_ = entry->path;
    ::EnableWindow(Item(kOptClockApply), TRUE);
}

void TFrmOptions::DrawPreview(const DRAWITEMSTRUCT& item) {
    const HBITMAP picture = item.CtlID == kOptSkinPreview ? skin_preview_.get() : clock_preview_.get();
    FillSolid(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNFACE));
    if (!picture) return;
    BITMAP info{};
    ::GetObjectW(picture, sizeof(info), &info);
    MemoryDC source(item.hDC);
    SelectObjectScope select(source.get(), picture);
    ::SetStretchBltMode(item.hDC, HALFTONE);
    ::StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                 item.rcItem.bottom - item.rcItem.top, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

std::string TFrmOptions::FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void TFrmOptions::ApplySkin() {
    if (skin_path_.empty() || ::GetFileAttributesW(Widen(skin_path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
    context_.settings.ApplySkinFile(FileNameOf(skin_path_));
}

void TFrmOptions::ApplyClock() {
    if (clock_path_.empty() || ::GetFileAttributesW(Widen(clock_path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
    context_.settings.ApplyClockFile(FileNameOf(clock_path_));
}

}  // namespace kalvoro::win::options_dialog
