#include "app/win32/frm_options_preview.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "app/settings.h"
#include "base/file_store.h"
#include "base/win32/text.h"
#include "skin/skin_keys.h"
#include "skin/win32/skin_bitmap.h"
#include "timesvc/win32/time_sync_service.h"
#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWithNoCase(const std::string& name, std::string_view extension) {
    return name.size() > extension.size() &&
           Lower(name.substr(name.size() - extension.size())) == Lower(std::string(extension));
}

// The package's bytes, or nothing for a file that is missing, unreadable or far too large.
std::optional<std::string> ReadPackage(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size == 0 || size > kMaxPreviewPackageBytes) return std::nullopt;
    return DiskFileStore().ReadAll(path);
}

void CopyPiece(HDC target, const SkinPackage& package, const SkinPieceKey& key, int x, int y) {
    const std::optional<SkinImage> piece = package.Cut(key);
    if (!piece || piece->empty()) return;
    const Bitmap bitmap = BitmapFromSkinImage(*piece);
    if (!bitmap) return;
    MemoryDC source(target);
    SelectObjectScope select(source.get(), bitmap.get());
    ::BitBlt(target, x, y, piece->width, piece->height, source.get(), 0, 0, SRCCOPY);
}

}  // namespace

std::vector<PackageEntry> ListPackages(const std::string& folder, std::string_view extension) {
    std::vector<PackageEntry> entries;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = Widen(folder + "*" + std::string(extension));
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = Narrow(found.cFileName);
        // The pattern also matches longer extensions through short names; only the exact one counts.
        if (!EndsWithNoCase(name, extension)) continue;
        entries.push_back({name, folder + name});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(entries.begin(), entries.end(), [](const PackageEntry& a, const PackageEntry& b) {
        const std::string la = Lower(a.name);
        const std::string lb = Lower(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    return entries;
}

BarPreview DrawBarPreview(const std::string& package_path, const std::string& date_text) {
    BarPreview preview;
    const std::optional<std::string> bytes = ReadPackage(package_path);
    if (!bytes) return preview;
    preview.problem = DiagnoseSkinPackage(*bytes, skin_keys::kSkinVersion);
    if (preview.problem != SkinPackageProblem::kNone) return preview;
    const std::optional<SkinPackage> package = SkinPackage::Read(*bytes);
    if (!package) {
        preview.problem = SkinPackageProblem::kDamaged;
        return preview;
    }

    DibSection dib(kBarWidth, kBarHeight);
    if (!dib) {
        preview.problem = SkinPackageProblem::kDamaged;
        return preview;
    }
    {
        MemoryDC dc;
        SelectObjectScope select(dc.get(), dib.get());
        FillSolid(dc.get(), RECT{0, 0, kBarWidth, kBarHeight}, ::GetSysColor(COLOR_BTNFACE));
        CopyPiece(dc.get(), *package, skin_keys::kBarBackground, 0, 0);
        CopyPiece(dc.get(), *package, skin_keys::kMenuButtonUp, 8, 4);
        CopyPiece(dc.get(), *package, skin_keys::kMinButtonUp, 296, 1);

        const Pen pen(::CreatePen(PS_SOLID, 1, package->Color(skin_keys::kLedBorder)));
        const Brush brush(::CreateSolidBrush(package->Color(skin_keys::kLedBackground)));
        {
            SelectObjectScope select_pen(dc.get(), pen.get());
            SelectObjectScope select_brush(dc.get(), brush.get());
            ::Rectangle(dc.get(), 61, 4, 177, 30);
        }
        const Font font = CreatePointFont(kDialogFontFace, kDialogFontPoints, false);
        SelectObjectScope select_font(dc.get(), font.get());
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), package->Color(skin_keys::kDateLineFont));
        const std::wstring text = Widen(date_text);
        ::TextOutW(dc.get(), 189, 15, text.c_str(), static_cast<int>(text.size()));
        ::GdiFlush();
    }
    preview.picture = Bitmap(dib.Release());
    return preview;
}

FacePreview LoadFacePreview(const std::string& package_path) {
    FacePreview preview;
    const std::optional<std::string> bytes = ReadPackage(package_path);
    if (!bytes) return preview;
    preview.problem = DiagnoseSkinPackage(*bytes, skin_keys::kClockVersion);
    if (preview.problem != SkinPackageProblem::kNone) return preview;
    const std::optional<SkinPackage> package = SkinPackage::Read(*bytes);
    const std::optional<SkinImage> face = package ? package->Cut(skin_keys::kClockFace) : std::nullopt;
    if (!face || face->empty()) {
        preview.problem = SkinPackageProblem::kDamaged;
        return preview;
    }
    preview.picture = BitmapFromSkinImage(*face);
    preview.shown = FacePreviewSize(face->width, face->height);
    if (!preview.picture) preview.problem = SkinPackageProblem::kDamaged;
    return preview;
}

std::string TodayText() {
    return FormatDateTime("yyyy年mm月dd日 dddd", SystemLocalClock().Now(), SystemDateLocale());
}

}  // namespace kalvoro::win
