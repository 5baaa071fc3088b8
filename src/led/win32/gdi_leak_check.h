#pragma once
// Test helper: do repeated paints leak GDI objects? Where the system reports a GDI object count
// (Windows), a hundred paints must leave it unchanged. Wine reports none (GetGuiResources gives 0),
// so there enough paints run to fill the process's GDI handle table (about 65,000 entries) were a
// single object to leak per paint, after which a new object must still be creatable.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/win32/gdi.h"

namespace kalvoro::win::testing {

inline constexpr int kPaintsToFillTheHandleTable = 66000;

template <typename Paint>
::testing::AssertionResult PaintsLeaveGdiFlat(Paint&& paint) {
    paint(0);
    const DWORD before = GdiObjectCount();
    if (before != 0) {
        for (int i = 1; i <= 100; ++i) paint(i);
        const DWORD after = GdiObjectCount();
        if (after == before) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "GDI objects went from " << before << " to " << after;
    }
    for (int i = 1; i <= kPaintsToFillTheHandleTable; ++i) paint(i);
    Brush probe(::CreateSolidBrush(RGB(1, 2, 3)));
    if (probe) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no GDI object can be created after " << kPaintsToFillTheHandleTable
                                         << " paints";
}

}  // namespace kalvoro::win::testing
