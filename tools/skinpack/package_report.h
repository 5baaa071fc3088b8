#pragma once
// The lines skinpack prints about a package's pieces and colours.

#include <ostream>
#include <string_view>

#include "package_kind.h"

namespace kalvoro::skinpack {

struct PieceCounts {
    int outside = 0;         // cannot be cut: the program would apply nothing of the package
    int partly_outside = 0;  // cut with see-through margins
};

// One line per piece of the kind, with where it lies in the bitmap.
PieceCounts ReportPieces(const SkinPackage& package, PackageKind kind, std::ostream& out);
// Only the pieces that do not lie wholly inside the bitmap, as warnings and errors.
PieceCounts ReportPieceProblems(const SkinPackage& package, PackageKind kind, std::ostream& err);
void ReportColors(const SkinPackage& package, PackageKind kind, std::ostream& out);

// Warns about section headers that repeat an earlier one (names match without regard to case): only
// the first header of a name is read, so the keys under the repeat are lost. Returns the count.
int ReportRepeatedSections(std::string_view description, std::ostream& err);

// "dir/name.sk" and "dir\name.sk" give "name.sk" and "name".
std::string_view FileNameOf(std::string_view path);
std::string_view StemOf(std::string_view path);

}  // namespace kalvoro::skinpack
