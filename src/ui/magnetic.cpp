#include "ui/magnetic.h"

#include <algorithm>

#include "ui/touching.h"

namespace kalvoro {

void TMagnetic::SetSnapDistance(int pixels) {
    snap_distance_ = std::clamp(pixels, 0, kCoordinateLimit);
}

const MagneticEntry* TMagnetic::Find(WindowId wnd) const {
    if (wnd == 0) return nullptr;
    const auto it = std::find_if(entries_.begin(), entries_.end(), [wnd](const auto& e) { return e.wnd == wnd; });
    return it == entries_.end() ? nullptr : &*it;
}

MagneticEntry* TMagnetic::Find(WindowId wnd) {
    return const_cast<MagneticEntry*>(static_cast<const TMagnetic*>(this)->Find(wnd));
}

bool TMagnetic::IsGlued(WindowId wnd) const {
    const MagneticEntry* entry = Find(wnd);
    return entry != nullptr && entry->glued;
}

bool TMagnetic::IsCarriedBy(const MagneticEntry& entry, WindowId moving) const {
    return entry.parent == moving && entry.glued && host_.IsVisible(entry.wnd);
}

bool TMagnetic::AddWindow(WindowId wnd, WindowId parent) {
    if (wnd == 0 || IsRegistered(wnd) || !host_.IsWindow(wnd)) return false;
    if (parent == wnd) parent = 0;
    if (parent != 0 && !host_.IsWindow(parent)) return false;
    entries_.push_back({wnd, parent, false, {}});
    UpdateGlue();
    return true;
}

bool TMagnetic::RemoveWindow(WindowId wnd) {
    const auto it = std::find_if(entries_.begin(), entries_.end(), [wnd](const auto& e) { return e.wnd == wnd; });
    if (wnd == 0 || it == entries_.end()) return false;
    entries_.erase(it);
    for (MagneticEntry& entry : entries_) {
        if (entry.parent == wnd) entry.parent = 0;
    }
    if (moving_ == wnd) moving_ = 0;
    UpdateGlue();
    return true;
}

void TMagnetic::BeginMove(WindowId moving) {
    work_area_ = ClampRect(host_.WorkArea(moving));
    for (MagneticEntry& entry : entries_) {
        entry.rect = ClampRect(host_.IsMaximized(entry.wnd) ? host_.WorkArea(entry.wnd) : host_.WindowRect(entry.wnd));
    }
    const MagneticEntry* entry = Find(moving);
    if (entry == nullptr) {
        moving_ = 0;
        return;
    }
    moving_ = moving;
    start_cursor_ = ClampPoint(host_.CursorPosition());
    grab_offset_ = {entry->rect.left - start_cursor_.x, entry->rect.top - start_cursor_.y};
}

void TMagnetic::EndMove() {
    moving_ = 0;
    UpdateGlue();
}

void TMagnetic::UpdateGlue() {
    for (MagneticEntry& entry : entries_) {
        entry.rect = ClampRect(host_.WindowRect(entry.wnd));
        entry.glued = false;
    }
    for (MagneticEntry& entry : entries_) {
        if (entry.parent == 0 || !host_.IsVisible(entry.wnd)) continue;
        const MagneticEntry* parent = Find(entry.parent);
        entry.glued = parent != nullptr && Touching(parent->rect, entry.rect);
    }
    // A child touching a glued sibling is glued too; each round reaches one sibling further.
    for (std::size_t round = 0; round < entries_.size(); ++round) {
        bool changed = false;
        for (const MagneticEntry& glued : entries_) {
            if (!glued.glued || !host_.IsVisible(glued.wnd)) continue;
            for (MagneticEntry& other : entries_) {
                if (&other == &glued || other.glued || other.parent != glued.parent) continue;
                if (!host_.IsVisible(other.wnd)) continue;
                other.glued = Touching(glued.rect, other.rect);
                changed = changed || other.glued;
            }
        }
        if (!changed) break;
    }
}

}  // namespace kalvoro
