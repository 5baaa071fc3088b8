#include "ui/win32/shadow_source.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "base/win32/gdi.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/win32_geometry.h"

namespace kalvoro::win {
namespace {

std::vector<Rect> ComplexRegionRects(HWND form) {
    Region region(::CreateRectRgn(0, 0, 0, 0));
    if (!region || ::GetWindowRgn(form, region.get()) != COMPLEXREGION) return {};
    const DWORD bytes = ::GetRegionData(region.get(), 0, nullptr);
    if (bytes < sizeof(RGNDATAHEADER)) return {};
    std::vector<std::byte> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (::GetRegionData(region.get(), bytes, data) != bytes) return {};
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const DWORD count = std::min<DWORD>(data->rdh.nCount, (bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT));
    std::vector<Rect> result;
    result.reserve(count);
    for (DWORD i = 0; i < count; ++i) result.push_back(ToRect(rects[i]));
    return result;
}

Size BorderOf(HWND form) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(form, GWL_STYLE));
    if (style & WS_THICKFRAME) return {::GetSystemMetrics(SM_CXSIZEFRAME), ::GetSystemMetrics(SM_CYSIZEFRAME)};
    if (style & WS_DLGFRAME) return {::GetSystemMetrics(SM_CXFIXEDFRAME), ::GetSystemMetrics(SM_CYFIXEDFRAME)};
    if (style & WS_BORDER) return {::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER)};
    return {};
}

ShapeMask ColourKeyMask(HWND form, COLORREF key) {
    RECT client{};
    ::GetClientRect(form, &client);
    const int width = client.right;
    const int height = client.bottom;
    DibSection pixels(width, height);
    WindowDC form_dc(form);
    MemoryDC copy_dc(form_dc.get());
    if (!pixels || !form_dc || !copy_dc) return {};
    {
        SelectObjectScope select(copy_dc.get(), pixels.get());
        ::BitBlt(copy_dc.get(), 0, 0, width, height, form_dc.get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    return MakeColourKeyMask(std::span<const std::uint32_t>(
                                 pixels.pixels(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
                             width, height, key);
}

}  // namespace

void CaptureShadowSource(HWND form, Colour shadow_colour, CapturedShadowSource& captured) {
    captured = {};
    ShadowSource& source = captured.source;
    RECT window{};
    ::GetWindowRect(form, &window);
    source.window = {window.right - window.left, window.bottom - window.top};
    source.complexRegion = ComplexRegionRects(form);
    source.border = BorderOf(form);
    POINT origin{0, 0};
    ::ClientToScreen(form, &origin);
    source.clientOrigin = {origin.x - window.left, origin.y - window.top};
    source.shadowColour = shadow_colour;

    const LayeredAttributes attributes = ReadLayeredAttributes(form);
    source.windowAlpha = attributes.alpha;
    if (attributes.key_colour) {
        // The shape comes from the pixels, so they must be there.
        if (::IsWindowVisible(form)) ::UpdateWindow(form);
        captured.colour_key_mask = ColourKeyMask(form, *attributes.key_colour);
        source.colourKeyMask = &captured.colour_key_mask;
    }
}

}  // namespace kalvoro::win
