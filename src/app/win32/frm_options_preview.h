#pragma once
// The settings dialog's package lists and previews: the packages of a folder sorted by name, a
// model of the bar drawn from a bar skin, and a clock skin's face scaled for its 100 × 100 box.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/options_rules.h"
#include "base/win32/gdi.h"
#include "skin/skin_package.h"

namespace kalvoro::win {

struct PackageEntry {
    std::string name;  // the file name with its extension, as the list shows it
    std::string path;  // the full path
};

// The files of the folder ending in the extension (".sk"), sorted by name without regard to case;
// empty when the folder is missing.
std::vector<PackageEntry> ListPackages(const std::string& folder, std::string_view extension);

// Larger packages are not previewed: no skin is anywhere near this size.
inline constexpr ULONGLONG kMaxPreviewPackageBytes = 16u * 1024 * 1024;

struct BarPreview {
    SkinPackageProblem problem = SkinPackageProblem::kDamaged;
    Bitmap picture;  // kBarWidth × kBarHeight; may be partly drawn for a damaged package
};
// The bar as the package dresses it: background, menu and minimise buttons, the LED panel and the
// date text.
BarPreview DrawBarPreview(const std::string& package_path, const std::string& date_text);

struct FacePreview {
    SkinPackageProblem problem = SkinPackageProblem::kDamaged;
    Bitmap picture;  // the face at its own size
    PreviewSize shown;
};
FacePreview LoadFacePreview(const std::string& package_path);

// Today as the preview writes it: "yyyy年mm月dd日 dddd".
std::string TodayText();

}  // namespace kalvoro::win
