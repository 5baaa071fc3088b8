#pragma once
// The analog clock's content without a window: the face, the hour, minute and second hands and
// the centre cap, in that drawing order, placed about the skin's pivot, turned from a time of day,
// and composed into one pixel surface that the clock window copies to the screen.

#include <cstdint>

#include "base/date_time.h"
#include "skin/clock_skin.h"
#include "skin/rotate_image.h"

namespace kalvoro {

// Degrees of TRotateImage (counter-clockwise); the hands are drawn pointing at 12, so the clock
// turns them by negative angles.
struct ClockHandAngles {
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const ClockHandAngles&, const ClockHandAngles&) = default;
};

// second -6 s, minute -6 m, hour -(30 h + 6 (m div 12)); h is 0..23.
ClockHandAngles ClockHandAnglesAt(int hour, int minute, int second);
ClockHandAngles ClockHandAnglesAt(DateTime time);

// n div 2, plus one when n is odd and positive: 157 gives 79, 156 gives 78.
int HalfUp(int n);

// The left (or top) that centres a size on a pivot coordinate.
inline int PlacedAbout(int pivot, int size) {
    return pivot - HalfUp(size);
}

class ClockFace {
public:
    ClockFace();

    // The full skin load: face, client size, hands and cap, placed about the pivot (the skin's
    // CenterX/CenterY, else the middle of the face). The hands keep their angles.
    void LoadSkin(const ClockSkin& skin);

    // Sets the three angles; returns whether any hand turned (the surface needs composing).
    bool UpdateHands(DateTime time);
    bool SetAngles(const ClockHandAngles& angles);

    // The window's client size: the face's.
    int Width() const { return width_; }
    int Height() const { return height_; }
    int PivotX() const { return pivot_x_; }
    int PivotY() const { return pivot_y_; }

    const TRotateImage& HourHand() const { return hour_; }
    const TRotateImage& MinuteHand() const { return minute_; }
    const TRotateImage& SecondHand() const { return second_; }
    const SkinImage& Face() const { return face_; }
    const SkinImage& Cap() const { return cap_; }
    ControlBounds CapBounds() const { return {cap_left_, cap_top_, cap_.width, cap_.height}; }

    // Magenta where nothing is, then face, hour, minute and second hands and the cap. The target
    // is the client size (smaller is clipped). Allocates nothing.
    void Compose(PixelRows target) const;

private:
    SkinImage face_;
    TRotateImage hour_;
    TRotateImage minute_;
    TRotateImage second_;
    SkinImage cap_;
    int cap_left_ = 0;
    int cap_top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int pivot_x_ = 0;
    int pivot_y_ = 0;
};

}  // namespace kalvoro
