#include "skinpack.h"

#include <string_view>

#include "package_kind.h"
#include "package_report.h"
#include "skin/bmp_decoder.h"
#include "skin/skin_package.h"
#include "skin/skin_package_format.h"

namespace kalvoro::skinpack {
namespace {

constexpr std::string_view kUsage =
    "usage: skinpack pack <description.ini> <picture.bmp> <package.sk|.cl>\n"
    "       skinpack unpack <package> <folder>\n"
    "       skinpack info <package>\n"
    "The description is stored as it is (write it in GBK); the picture must be an uncompressed BMP.\n";

std::optional<std::string> ReadFile(Environment& env, const std::string& path) {
    auto bytes = env.files.ReadAll(path);
    if (!bytes) env.err << "error: cannot read " << path << "\n";
    return bytes;
}

bool WriteFile(Environment& env, const std::string& path, std::string_view bytes) {
    if (env.files.WriteAtomic(path, bytes)) return true;
    env.err << "error: cannot write " << path << "\n";
    return false;
}

int Pack(const std::string& description_path, const std::string& bitmap_path, const std::string& package_path,
         Environment& env) {
    auto description = ReadFile(env, description_path);
    auto bitmap = ReadFile(env, bitmap_path);
    if (!description || !bitmap) return kExitFailed;
    if (!DecodeBmp(*bitmap)) {
        env.err << "error: " << bitmap_path
                << " is not a BMP file this program reads (uncompressed, 1 to 32 bits per pixel)\n";
        return kExitFailed;
    }
    const std::string package_bytes = BuildSkinPackage(*description, *bitmap);
    auto package = SkinPackage::Read(package_bytes);
    if (!package) {
        env.err << "error: the package does not read back\n";
        return kExitFailed;
    }
    const PackageKind kind = KindOf(*package, package_path);
    if (!package->HasSupportedVersion(VersionKey(kind))) {
        env.err << "error: " << description_path << " lacks [VER] " << VersionKey(kind)
                << "=1.0; the program would ignore this " << KindName(kind) << "\n";
        return kExitFailed;
    }
    ReportRepeatedSections(*description, env.err);
    if (ReportPieceProblems(*package, kind, env.err).outside > 0) return kExitFailed;
    if (!WriteFile(env, package_path, package_bytes)) return kExitFailed;
    env.out << "wrote " << package_path << ": " << KindName(kind) << ", description " << description->size()
            << " bytes, bitmap " << package->bitmap().width << "x" << package->bitmap().height << " (" << bitmap->size()
            << " bytes)\n";
    return kExitOk;
}

int Unpack(const std::string& package_path, const std::string& folder, Environment& env) {
    auto bytes = ReadFile(env, package_path);
    if (!bytes) return kExitFailed;
    auto blocks = SplitSkinPackage(*bytes);
    if (!blocks) {
        env.err << "error: " << package_path << " is not a skin package (truncated or impossible block lengths)\n";
        return kExitFailed;
    }
    if (!env.create_folder(folder)) {
        env.err << "error: cannot create the folder " << folder << "\n";
        return kExitFailed;
    }
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\') {
        const bool windows_path = folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
        prefix += windows_path ? '\\' : '/';
    }
    prefix += StemOf(package_path);
    if (!WriteFile(env, prefix + ".ini", blocks->description) || !WriteFile(env, prefix + ".bmp", blocks->bitmap)) {
        return kExitFailed;
    }
    env.out << "wrote " << prefix << ".ini and " << prefix << ".bmp\n";
    if (!DecodeBmp(blocks->bitmap)) env.err << "warning: the bitmap block is not a BMP file this program reads\n";
    return kExitOk;
}

int Info(const std::string& package_path, Environment& env) {
    auto bytes = ReadFile(env, package_path);
    if (!bytes) return kExitFailed;
    auto blocks = SplitSkinPackage(*bytes);
    if (!blocks) {
        env.err << "error: " << package_path << " is not a skin package (truncated or impossible block lengths)\n";
        return kExitFailed;
    }
    env.out << package_path << ": " << bytes->size() << " bytes\n"
            << "description: " << blocks->description.size() << " bytes\n";
    auto package = SkinPackage::Read(*bytes);
    if (!package) {
        env.out << "bitmap: " << blocks->bitmap.size() << " bytes, not a BMP file this program reads\n";
        env.err << "error: the program would ignore this package\n";
        return kExitFailed;
    }
    ReportRepeatedSections(blocks->description, env.err);
    const PackageKind kind = KindOf(*package, package_path);
    const bool version_ok = package->HasSupportedVersion(VersionKey(kind));
    env.out << "bitmap: " << package->bitmap().width << "x" << package->bitmap().height << " (" << blocks->bitmap.size()
            << " bytes)\n"
            << "kind: " << KindName(kind) << "\n"
            << "version: " << VersionKey(kind) << "="
            << package->description().ReadString(skin_keys::kVersionSection, VersionKey(kind), "")
            << (version_ok ? " (accepted)" : " (NOT 1.0: the program ignores this package)") << "\n"
            << "pieces:\n";
    const PieceCounts counts = ReportPieces(*package, kind, env.out);
    if (kind == PackageKind::kClock) {
        auto x = package->Integer(skin_keys::kClockSection, skin_keys::kCenterX);
        auto y = package->Integer(skin_keys::kClockSection, skin_keys::kCenterY);
        const SkinRect face = package->PieceRect(skin_keys::kClockFace);
        env.out << "centre: " << x.value_or(face.width / 2) << "," << y.value_or(face.height / 2)
                << (x || y ? "" : " (middle of the face)") << "\n";
    } else {
        env.out << "colours:\n";
        ReportColors(*package, kind, env.out);
    }
    return version_ok && counts.outside == 0 ? kExitOk : kExitFailed;
}

}  // namespace

int Run(const std::vector<std::string>& arguments, Environment& environment) {
    const std::string_view command = arguments.empty() ? "" : std::string_view(arguments[0]);
    if (command == "pack" && arguments.size() == 4) return Pack(arguments[1], arguments[2], arguments[3], environment);
    if (command == "unpack" && arguments.size() == 3) return Unpack(arguments[1], arguments[2], environment);
    if (command == "info" && arguments.size() == 2) return Info(arguments[1], environment);
    if (command == "help" || command == "--help" || command == "-h") {
        environment.out << kUsage;
        return kExitOk;
    }
    environment.err << kUsage;
    return kExitUsage;
}

}  // namespace kalvoro::skinpack
