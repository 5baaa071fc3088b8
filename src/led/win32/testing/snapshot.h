#pragma once
// Test helper: when KALVORO_SNAPSHOT_DIR is set, pictures the tests draw are saved there as BMP
// files so a person can look at them.

#include <windows.h>

#include "base/win32/testing/snapshot_file.h"
#include "led/win32/dib_canvas.h"

namespace kalvoro::win::testing {

inline void SaveSnapshot(const DibCanvas& canvas, const char* name) {
    SaveSnapshotFile(name, canvas.width(), canvas.height(), canvas.pixels());
}

}  // namespace kalvoro::win::testing
