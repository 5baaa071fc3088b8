// skinpack on any package file: "info" describes it or fails with a message, and a package taken
// apart by "unpack" and put together again by "pack" (when it accepts it) holds the same two blocks.

#include <sstream>
#include <string>

#include "base/file_store.h"
#include "base/fuzz/fuzz_check.h"
#include "skin/bmp_decoder.h"
#include "skin/skin_package_format.h"
#include "../skinpack/skinpack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const std::string_view bytes = fuzz::Bytes(data, size);
    MemoryFileStore files;
    files.Put("in/skin.sk", std::string(bytes));
    std::ostringstream out;
    std::ostringstream err;
    skinpack::Environment env{files, out, err, [](const std::string&) { return true; }};

    const int info = skinpack::Run({"info", "in/skin.sk"}, env);
    FUZZ_CHECK(info == skinpack::kExitOk || info == skinpack::kExitFailed);
    // A package it fails says why: an error, or the report showing what the program would ignore.
    FUZZ_CHECK(info == skinpack::kExitOk || !err.str().empty() || out.str().find("NOT 1.0") != std::string::npos ||
               out.str().find("OUTSIDE (cannot") != std::string::npos);

    const auto blocks = SplitSkinPackage(bytes);
    const int unpacked = skinpack::Run({"unpack", "in/skin.sk", "out"}, env);
    FUZZ_CHECK((unpacked == skinpack::kExitOk) == blocks.has_value());
    if (!blocks) return 0;
    FUZZ_CHECK(files.ReadAll("out/skin.ini") == std::string(blocks->description));
    FUZZ_CHECK(files.ReadAll("out/skin.bmp") == std::string(blocks->bitmap));

    const int packed = skinpack::Run({"pack", "out/skin.ini", "out/skin.bmp", "again.sk"}, env);
    // Packing refuses a bitmap it cannot read, a wrong version and pieces outside the bitmap.
    FUZZ_CHECK(packed == skinpack::kExitOk || packed == skinpack::kExitFailed);
    if (packed != skinpack::kExitOk) return 0;
    FUZZ_CHECK(DecodeBmp(blocks->bitmap).has_value());
    const std::string repacked = *files.ReadAll("again.sk");
    const auto again = SplitSkinPackage(repacked);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->description == blocks->description && again->bitmap == blocks->bitmap);
    return 0;
}
