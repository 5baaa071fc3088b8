#include "popup/message_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvoro::popup {
namespace {

// Room for three 200-pixel popups: 8 + 3 * 200 + 2 * 6 + 8 = 628.
constexpr Rect kWorkArea{0, 0, 1000, 640};
constexpr StackMetrics kMetrics{300, 8, 6};
constexpr PopupSettings kAutoFiveSeconds{true, 5, 200};

class MessageQueueTest : public ::testing::Test {
protected:
    int Add(int height = 200, Milliseconds now = 0) { return *queue.Add("text", height, now); }
    MessageState StateOf(int id) const { return queue.Find(id)->state; }

    MessageQueue queue{kWorkArea, kMetrics};
};

TEST_F(MessageQueueTest, ShowsWhatFitsAndQueuesTheRest) {
    const int a = Add(), b = Add(), c = Add(), d = Add(), e = Add();
    EXPECT_EQ(StateOf(a), MessageState::kShown);
    EXPECT_EQ(StateOf(c), MessageState::kShown);
    EXPECT_EQ(StateOf(d), MessageState::kWaiting);
    EXPECT_EQ(StateOf(e), MessageState::kWaiting);
    EXPECT_GT(queue.Find(a)->rect.top, queue.Find(b)->rect.top);

    // Closing the lowest moves the others down and brings the first waiting one up.
    const Rect lowest = queue.Find(a)->rect;
    queue.BeginClose(a);
    EXPECT_EQ(StateOf(d), MessageState::kWaiting);  // a keeps its place while it fades
    queue.Remove(a, 1000);
    EXPECT_EQ(queue.Find(a), nullptr);
    EXPECT_EQ(queue.Find(b)->rect, lowest);
    EXPECT_EQ(StateOf(d), MessageState::kShown);
    EXPECT_EQ(queue.Find(d)->shown_since, 1000);
    EXPECT_EQ(StateOf(e), MessageState::kWaiting);
}

TEST_F(MessageQueueTest, UnreadUntilClickedOrClosed) {
    EXPECT_FALSE(queue.HasUnread());
    const int a = Add(), b = Add(), c = Add(), d = Add();
    EXPECT_TRUE(queue.HasUnread());
    queue.MarkRead(a);
    queue.BeginClose(b);
    queue.Remove(b, 0);
    queue.BeginClose(c);
    EXPECT_TRUE(queue.HasUnread());  // d waits unread
    queue.BeginClose(d);
    EXPECT_FALSE(queue.HasUnread());
    queue.MarkRead(12345);  // unknown ids are ignored
    queue.Remove(12345, 0);
}

TEST_F(MessageQueueTest, ClosesByItselfAfterTheSettingsTimeCountedFromShowing) {
    const int a = Add(200, 0), b = Add(200, 1000), c = Add(200, 2000), d = Add(200, 3000);
    EXPECT_TRUE(queue.DueToClose(kAutoFiveSeconds, 4999).empty());
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 5000), std::vector<int>{a});
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 7000), (std::vector<int>{a, b, c}));
    EXPECT_TRUE(queue.DueToClose({false, 5, 200}, 100000).empty());

    // d waited for room: its five seconds start when it shows.
    queue.BeginClose(a);
    queue.Remove(a, 8000);
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 12999), (std::vector<int>{b, c}));
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 13000), (std::vector<int>{b, c, d}));
    queue.BeginClose(b);  // closing ones are not due again
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 13000), (std::vector<int>{c, d}));
}

TEST_F(MessageQueueTest, HeldMessageWaitsAndGetsItsFullTimeAfterwards) {
    const int a = Add(200, 0);
    queue.SetHeld(a, true, 1000);
    EXPECT_TRUE(queue.DueToClose(kAutoFiveSeconds, 60000).empty());
    queue.SetHeld(a, false, 60000);
    EXPECT_TRUE(queue.DueToClose(kAutoFiveSeconds, 64999).empty());
    EXPECT_EQ(queue.DueToClose(kAutoFiveSeconds, 65000), std::vector<int>{a});
}

TEST_F(MessageQueueTest, ShrinkingWorkAreaSendsTheNewestBackToWaiting) {
    const int a = Add(200, 0), b = Add(200, 0), c = Add(200, 0);
    queue.SetWorkArea({0, 0, 1000, 430}, 2000);
    EXPECT_EQ(StateOf(b), MessageState::kShown);
    EXPECT_EQ(StateOf(c), MessageState::kWaiting);
    EXPECT_EQ(queue.Find(a)->rect.bottom, 422);
    queue.SetWorkArea(kWorkArea, 3000);
    EXPECT_EQ(StateOf(c), MessageState::kShown);
    EXPECT_EQ(queue.Find(c)->shown_since, 3000);
    EXPECT_EQ(queue.Find(a)->shown_since, 0);
}

TEST_F(MessageQueueTest, RefusesMessagesBeyondItsCapacity) {
    for (std::size_t i = 0; i < MessageQueue::kCapacity; ++i) ASSERT_TRUE(queue.Add("x", 200, 0));
    EXPECT_FALSE(queue.Add("one too many", 200, 0));
    const int first = queue.messages().front().id;
    queue.BeginClose(first);
    queue.Remove(first, 0);
    EXPECT_TRUE(queue.Add("room again", 200, 0));
}

}  // namespace
}  // namespace kalvoro::popup
