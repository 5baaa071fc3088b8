#pragma once
// The messages the popup program holds: those on screen, stacked in the work area, and those
// waiting for room. A message is read once the user clicks it or it closes; while any message is
// unread the bar's tray icon is kept animating.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "popup/popup_layout.h"
#include "popup/popup_settings.h"

namespace kalvoro::popup {

using Milliseconds = std::int64_t;

enum class MessageState {
    kWaiting,  // no room on screen yet
    kShown,
    kClosing,  // read and fading out; keeps its place until removed
};

struct QueuedMessage {
    int id = 0;
    std::string text;  // UTF-8, as shown
    int height = 0;    // wanted height in pixels; the layout may cut it
    MessageState state = MessageState::kWaiting;
    bool read = false;
    bool held = false;  // under the pointer: it does not close by itself meanwhile
    Milliseconds shown_since = 0;
    Rect rect;  // while shown or closing
};

class MessageQueue {
public:
    // More messages than this are refused rather than kept without bound.
    static constexpr std::size_t kCapacity = 256;

    MessageQueue(const Rect& work_area, const StackMetrics& metrics);

    // The new message's id; nothing when the queue is full.
    std::optional<int> Add(std::string text, int height, Milliseconds now);
    void MarkRead(int id);
    void BeginClose(int id);
    // The message is gone from the screen: the others close up and waiting ones take the room.
    void Remove(int id, Milliseconds now);
    // Releasing a held message starts its countdown again.
    void SetHeld(int id, bool held, Milliseconds now);
    void SetWorkArea(const Rect& work_area, Milliseconds now);

    // Shown messages whose time is up under these settings.
    std::vector<int> DueToClose(const PopupSettings& settings, Milliseconds now) const;
    bool HasUnread() const;
    const QueuedMessage* Find(int id) const;
    const std::vector<QueuedMessage>& messages() const { return messages_; }  // arrival order

private:
    QueuedMessage* FindMutable(int id);
    void Arrange(Milliseconds now);

    Rect work_area_;
    StackMetrics metrics_;
    std::vector<QueuedMessage> messages_;
    int next_id_ = 1;
};

}  // namespace kalvoro::popup
