#include "led/win32/led_control.h"

#include "base/win32/colour.h"

namespace kalvoro::win {

void LedControl::ColourTools::Update(Colour wanted) {
    if (brush && pen && wanted == colour) return;
    const COLORREF resolved = ResolveColour(wanted);
    brush.reset(::CreateSolidBrush(resolved));
    pen.reset(::CreatePen(PS_SOLID, 1, resolved));
    colour = wanted;
}

bool LedControl::EnsureSurface(HDC target) {
    if (surface_ && surface_->width() == Width() && surface_->height() == Height()) return true;
    surface_.reset();
    auto surface = std::make_unique<OffscreenSurface>(target, Width(), Height());
    if (!*surface) return false;
    surface_ = std::move(surface);
    return true;
}

void LedControl::Paint(HDC target, int x, int y) {
    if (!target || !Visible()) return;
    ApplyAutoSize();
    if (Width() <= 0 || Height() <= 0 || !EnsureSurface(target)) return;

    const HDC dc = surface_->dc();
    FillSolid(dc, RECT{0, 0, Width(), Height()}, ResolveColour(BGColor()));
    dark_.Update(DarkColor());
    light_.Update(LightColor());

    HGDIOBJ original_brush = nullptr;
    HGDIOBJ original_pen = nullptr;
    const ColourTools* selected = nullptr;
    for (const LedFill& fill : draw_list_.Build(*this)) {
        const ColourTools* tools = fill.colour == light_.colour ? &light_ : &dark_;
        if (tools != selected) {
            HGDIOBJ previous_brush = ::SelectObject(dc, tools->brush.get());
            HGDIOBJ previous_pen = ::SelectObject(dc, tools->pen.get());
            if (!selected) {
                original_brush = previous_brush;
                original_pen = previous_pen;
            }
            selected = tools;
        }
        POINT points[6];
        for (std::size_t i = 0; i < 6; ++i) points[i] = POINT{fill.polygon[i].x, fill.polygon[i].y};
        ::Polygon(dc, points, 6);
    }
    // Leave the cached brush and pen unselected, so that a colour change may delete them.
    if (selected) {
        ::SelectObject(dc, original_brush);
        ::SelectObject(dc, original_pen);
    }
    surface_->CopyTo(target, x, y);
}

}  // namespace kalvoro::win
