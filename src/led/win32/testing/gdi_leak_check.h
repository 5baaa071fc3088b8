#pragma once
// Test helper: do repeated paints leak GDI objects? A hundred paints must leave the process's live
// GDI objects (the handle census every leak test uses) unchanged; a census that counts nothing is a
// failure, never a pass.

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win32/testing/gdi_census.h"

namespace kalvoro::win::testing {

template <typename Paint>
::testing::AssertionResult PaintsLeaveGdiFlat(Paint&& paint) {
    paint(0);
    const DWORD before = LiveGdiObjectCount();
    if (before == 0) return ::testing::AssertionFailure() << "the GDI census counts no objects here";
    for (int i = 1; i <= 100; ++i) paint(i);
    const DWORD after = LiveGdiObjectCount();
    if (after == before) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "GDI objects went from " << before << " to " << after;
}

}  // namespace kalvoro::win::testing
