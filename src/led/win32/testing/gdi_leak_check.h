#pragma once
// Test helper: do repeated paints leak GDI objects? After a first round of paints has made every
// object a painter keeps (cached brushes, fonts), a second round of the same frames must leave the
// process's live GDI objects (the handle census every leak test uses) unchanged. A census that
// counts nothing is a failure, never a pass.

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win32/testing/gdi_census.h"

namespace kalvoro::win::testing {

inline constexpr int kPaintsPerRound = 600;

template <typename Paint>
::testing::AssertionResult PaintsLeaveGdiFlat(Paint&& paint) {
    for (int i = 0; i < kPaintsPerRound; ++i) paint(i);
    const DWORD before = LiveGdiObjectCount();
    if (before == 0) return ::testing::AssertionFailure() << "the GDI census counts no objects here";
    for (int i = kPaintsPerRound; i < 2 * kPaintsPerRound; ++i) paint(i);
    const DWORD after = LiveGdiObjectCount();
    if (after == before) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "GDI objects went from " << before << " to " << after;
}

}  // namespace kalvoro::win::testing
