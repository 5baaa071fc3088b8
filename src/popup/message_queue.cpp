#include "popup/message_queue.h"

#include <algorithm>
#include <utility>

namespace kalvoro::popup {

MessageQueue::MessageQueue(const Rect& work_area, const StackMetrics& metrics)
    : work_area_(work_area), metrics_(metrics) {}

std::optional<int> MessageQueue::Add(std::string text, int height, Milliseconds now) {
    if (messages_.size() >= kCapacity) return std::nullopt;
    QueuedMessage message;
    message.id = next_id_++;
    message.text = std::move(text);
    message.height = height;
    messages_.push_back(std::move(message));
    Arrange(now);
    return messages_.back().id;
}

void MessageQueue::MarkRead(int id) {
    if (QueuedMessage* message = FindMutable(id)) message->read = true;
}

void MessageQueue::BeginClose(int id) {
    QueuedMessage* message = FindMutable(id);
    if (!message) return;
    message->read = true;
    if (message->state == MessageState::kShown) message->state = MessageState::kClosing;
}

void MessageQueue::Remove(int id, Milliseconds now) {
    const auto gone = std::remove_if(messages_.begin(), messages_.end(),
                                     [id](const QueuedMessage& message) { return message.id == id; });
    if (gone == messages_.end()) return;
    messages_.erase(gone, messages_.end());
    Arrange(now);
}

void MessageQueue::SetHeld(int id, bool held, Milliseconds now) {
    QueuedMessage* message = FindMutable(id);
    if (!message || message->held == held) return;
    message->held = held;
    if (!held) message->shown_since = now;
}

void MessageQueue::SetWorkArea(const Rect& work_area, Milliseconds now) {
    work_area_ = work_area;
    Arrange(now);
}

std::vector<int> MessageQueue::DueToClose(const PopupSettings& settings, Milliseconds now) const {
    std::vector<int> due;
    if (!settings.auto_close) return due;
    const Milliseconds lifetime = Milliseconds{settings.auto_close_seconds} * 1000;
    for (const QueuedMessage& message : messages_) {
        if (message.state == MessageState::kShown && !message.held && now - message.shown_since >= lifetime) {
            due.push_back(message.id);
        }
    }
    return due;
}

bool MessageQueue::HasUnread() const {
    return std::any_of(messages_.begin(), messages_.end(), [](const QueuedMessage& message) { return !message.read; });
}

const QueuedMessage* MessageQueue::Find(int id) const {
    const auto found = std::find_if(messages_.begin(), messages_.end(),
                                    [id](const QueuedMessage& message) { return message.id == id; });
    return found == messages_.end() ? nullptr : &*found;
}

QueuedMessage* MessageQueue::FindMutable(int id) {
    return const_cast<QueuedMessage*>(std::as_const(*this).Find(id));
}

void MessageQueue::Arrange(Milliseconds now) {
    std::vector<int> heights;
    heights.reserve(messages_.size());
    for (const QueuedMessage& message : messages_) heights.push_back(message.height);
    const std::vector<Rect> places = StackUpward(work_area_, heights, metrics_);

    for (std::size_t i = 0; i < messages_.size(); ++i) {
        QueuedMessage& message = messages_[i];
        if (i < places.size()) {
            message.rect = places[i];
            if (message.state == MessageState::kWaiting) {
                message.state = MessageState::kShown;
                message.shown_since = now;
            }
        } else if (message.state == MessageState::kShown) {
            // The work area shrank: it waits again and gets its full time when it returns.
            message.state = MessageState::kWaiting;
            message.held = false;
        }
    }
}

}  // namespace kalvoro::popup
