#include "package_report.h"

#include <algorithm>
#include <cctype>
#include <iomanip>
#include <string>
#include <vector>

namespace kalvoro::skinpack {
namespace {

std::string_view PlacementText(PiecePlacement placement) {
    switch (placement) {
        case PiecePlacement::kEmpty:
            return "empty";
        case PiecePlacement::kInside:
            return "inside";
        case PiecePlacement::kPartlyOutside:
            return "PARTLY OUTSIDE (the rest is see-through)";
        case PiecePlacement::kOutside:
            return "OUTSIDE (cannot be cut)";
    }
    return "";
}

std::string PieceLine(const SkinPackage& package, const SkinPieceKey& key) {
    const SkinRect rect = package.PieceRect(key);
    std::string name = std::string(key.section) + "/" + std::string(key.name);
    std::string where = std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.width) +
                        "x" + std::to_string(rect.height);
    name.resize(std::max<std::size_t>(name.size() + 1, 22), ' ');
    where.resize(std::max<std::size_t>(where.size() + 1, 20), ' ');
    return name + where + std::string(PlacementText(package.Placement(key)));
}

void Count(PiecePlacement placement, PieceCounts& counts) {
    if (placement == PiecePlacement::kOutside) ++counts.outside;
    if (placement == PiecePlacement::kPartlyOutside) ++counts.partly_outside;
}

}  // namespace

PieceCounts ReportPieces(const SkinPackage& package, PackageKind kind, std::ostream& out) {
    PieceCounts counts;
    for (const auto& key : PiecesOf(kind)) {
        out << "  " << PieceLine(package, key) << "\n";
        Count(package.Placement(key), counts);
    }
    return counts;
}

PieceCounts ReportPieceProblems(const SkinPackage& package, PackageKind kind, std::ostream& err) {
    PieceCounts counts;
    for (const auto& key : PiecesOf(kind)) {
        const PiecePlacement placement = package.Placement(key);
        if (placement == PiecePlacement::kOutside) err << "error: piece " << PieceLine(package, key) << "\n";
        if (placement == PiecePlacement::kPartlyOutside) err << "warning: piece " << PieceLine(package, key) << "\n";
        Count(placement, counts);
    }
    if (counts.outside > 0 || counts.partly_outside > 0) {
        err << "  (the bitmap is " << package.bitmap().width << "x" << package.bitmap().height << ")\n";
    }
    return counts;
}

void ReportColors(const SkinPackage& package, PackageKind kind, std::ostream& out) {
    for (const auto& key : ColorsOf(kind)) {
        std::string name = std::string(key.section) + "/" + std::string(key.key);
        name.resize(std::max<std::size_t>(name.size() + 1, 28), ' ');
        const Colour color = package.Color(key);
        out << "  " << name << "0x" << std::hex << std::uppercase << std::setfill('0') << std::setw(6) << color
            << std::dec << std::setfill(' ');
        if (!package.description().HasKey(key.section, key.key)) out << "  (default)";
        out << "\n";
    }
}

int ReportRepeatedSections(std::string_view description, std::ostream& err) {
    const auto same_name = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    std::vector<std::string_view> seen;
    int repeats = 0;
    while (!description.empty()) {
        const std::size_t end = description.find_first_of("\r\n");
        std::string_view line = description.substr(0, end);
        description.remove_prefix(end == std::string_view::npos ? description.size() : end + 1);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        const std::size_t close = line.find(']');
        if (line.empty() || line.front() != '[' || close == std::string_view::npos) continue;
        const std::string_view name = line.substr(1, close - 1);
        const auto earlier =
            std::find_if(seen.begin(), seen.end(), [&](std::string_view s) { return same_name(s, name); });
        if (earlier == seen.end()) {
            seen.push_back(name);
            continue;
        }
        err << "warning: section [" << name << "] repeats [" << *earlier << "]; the program reads only the first\n";
        ++repeats;
    }
    return repeats;
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view StemOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace kalvoro::skinpack
