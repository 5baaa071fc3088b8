#include "skin/clock_face.h"

#include <algorithm>

namespace kalvoro {
namespace {

void SetUpHand(TRotateImage& hand) {
    hand.BeginLoading();
    hand.SetAutoSize(true);
    hand.SetCenter(true);
    hand.SetTransparent(true);
    hand.SetUniqueSize(true);
    hand.EndLoading();
}

void LoadHand(TRotateImage& hand, const SkinImage& picture, int pivot_x, int pivot_y) {
    hand.SetPicture(picture);
    const ControlBounds& bounds = hand.Bounds();
    hand.SetPosition(PlacedAbout(pivot_x, bounds.width), PlacedAbout(pivot_y, bounds.height));
}

}  // namespace

ClockHandAngles ClockHandAnglesAt(int hour, int minute, int second) {
    return {-(30 * hour + 6 * (minute / 12)), -6 * minute, -6 * second};
}

ClockHandAngles ClockHandAnglesAt(DateTime time) {
    const TimeParts parts = DecodeTime(time);
    return ClockHandAnglesAt(parts.hour, parts.minute, parts.second);
}

int HalfUp(int n) {
    return n / 2 + (n > 0 && n % 2 == 1 ? 1 : 0);
}

ClockFace::ClockFace() {
    SetUpHand(hour_);
    SetUpHand(minute_);
    SetUpHand(second_);
}

void ClockFace::LoadSkin(const ClockSkin& skin) {
    // Hidden while they change, so a tick in between leaves their angles alone.
    hour_.SetVisible(false);
    minute_.SetVisible(false);
    second_.SetVisible(false);
    face_ = skin.face;
    width_ = face_.width;
    height_ = face_.height;
    pivot_x_ = skin.center_x.value_or(width_ / 2);
    pivot_y_ = skin.center_y.value_or(height_ / 2);
    LoadHand(hour_, skin.hour_hand, pivot_x_, pivot_y_);
    LoadHand(minute_, skin.minute_hand, pivot_x_, pivot_y_);
    LoadHand(second_, skin.second_hand, pivot_x_, pivot_y_);
    cap_ = skin.center_cap;
    cap_left_ = PlacedAbout(pivot_x_, cap_.width);
    cap_top_ = PlacedAbout(pivot_y_, cap_.height);
    hour_.SetVisible(true);
    minute_.SetVisible(true);
    second_.SetVisible(true);
}

bool ClockFace::UpdateHands(DateTime time) {
    return SetAngles(ClockHandAnglesAt(time));
}

bool ClockFace::SetAngles(const ClockHandAngles& angles) {
    bool turned = false;
    const auto turn = [&turned](TRotateImage& hand, int angle) {
        if (!hand.Visible() || hand.Angle() == angle) return;
        hand.SetAngle(angle);
        turned = true;
    };
    turn(second_, angles.second);
    turn(minute_, angles.minute);
    turn(hour_, angles.hour);
    return turned;
}

void ClockFace::Compose(PixelRows target) const {
    for (int y = 0; y < target.height; ++y) std::fill_n(target.Row(y), target.width, kSeeThroughPixel);
    DrawPicture(target, face_, 0, 0, false, 0);
    hour_.Paint(target);
    minute_.Paint(target);
    second_.Paint(target);
    // The cap is a bitmap with automatic transparency: its bottom-left pixel's colour is left out.
    if (!cap_.empty()) DrawPicture(target, cap_, cap_left_, cap_top_, true, cap_.At(0, cap_.height - 1));
}

}  // namespace kalvoro
