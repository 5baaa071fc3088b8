#include "online/win32/update_notice_messages.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/gbk.h"

namespace kalvoro::win {
namespace {

struct RecordingPopup final : IPopupSender {
    bool ShowText(std::string_view utf8_text) override {
        shown.emplace_back(utf8_text);
        return true;
    }
    std::vector<std::string> shown;
};

class UpdateNoticeMessagesTest : public ::testing::Test {
protected:
    MemoryFileStore files;
    FakeClock clock{EncodeDate(2026, 12, 10) + EncodeTime(9, 30, 5)};
    RecordingPopup popup;
    UpdateNotice notice{files, "C:\\K\\", clock, ChineseDateLocale(), popup, "http://kalvoro.org/"};
};

TEST_F(UpdateNoticeMessagesTest, AForeign0x0401IsIgnoredWhateverItsLParam) {
    // A readable text in our own memory is still not read: only a ticket counts.
    static const char kText[] = "a\r\nb\r\nc";
    const LPARAM values[] = {0, 1, -1, 0x1234, reinterpret_cast<LPARAM>(kText), static_cast<LPARAM>(0xDEADBEEF)};
    for (const LPARAM value : values) EXPECT_FALSE(OnUpdateNoticeMessage(notice, value)) << value;
    EXPECT_TRUE(popup.shown.empty());
    EXPECT_EQ(files.write_count, 0);
}

TEST_F(UpdateNoticeMessagesTest, ANoticeFromThisProcessArrivesOnceThroughItsTicket) {
    const HWND bar = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(PostUpdateNotice(bar, Utf8ToGbk("3.8.0\r\n更快\r\n更小")));
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, bar, kMsgUpdateNotice, kMsgUpdateNotice, PM_REMOVE));
    ::DestroyWindow(bar);

    EXPECT_TRUE(OnUpdateNoticeMessage(notice, message.lParam));
    EXPECT_EQ(popup.shown, (std::vector<std::string>{"Kalvoro有新版本啦，快来升级吧!\r\n\r\nhttp://kalvoro.org/"}));
    EXPECT_EQ(files.ReadAll("C:\\K\\Upgrade.his"), "2026/12/10 9:30:05\r\n");
    // The same ticket again finds nothing.
    EXPECT_FALSE(OnUpdateNoticeMessage(notice, message.lParam));
    EXPECT_EQ(popup.shown.size(), 1u);
}

TEST_F(UpdateNoticeMessagesTest, CopyDataBlocksAreBoundedAndMustBeMarked) {
    static const char kNotice[] = "1\r\n2\r\n3";
    struct Case {
        const char* name;
        ULONG_PTR id;
        const void* data;
        DWORD size;
        bool accepted;
    };
    const Case cases[] = {
        {"notice with its NUL", kUpdateNoticeCopyDataId, kNotice, sizeof(kNotice), true},
        {"notice without a NUL", kUpdateNoticeCopyDataId, kNotice, sizeof(kNotice) - 1, true},
        {"no bytes", kUpdateNoticeCopyDataId, kNotice, 0, false},
        {"no data", kUpdateNoticeCopyDataId, nullptr, 10, false},
        // Refused on its size alone, before a byte is read.
        {"64 MB", kUpdateNoticeCopyDataId, kNotice, 64u * 1024 * 1024, false},
        {"one past the limit", kUpdateNoticeCopyDataId, kNotice, static_cast<DWORD>(kMaxCopyDataBytes + 1), false},
        {"another kind of block", 1, kNotice, sizeof(kNotice), false},
    };
    for (const Case& c : cases) {
        COPYDATASTRUCT data{c.id, c.size, const_cast<void*>(c.data)};
        EXPECT_EQ(OnUpdateNoticeCopyData(notice, reinterpret_cast<LPARAM>(&data)), c.accepted) << c.name;
    }
    EXPECT_EQ(popup.shown.size(), 2u);
    EXPECT_FALSE(OnUpdateNoticeCopyData(notice, 0));

    COPYDATASTRUCT two_lines{kUpdateNoticeCopyDataId, 5, const_cast<char*>("a\nb\0")};
    EXPECT_EQ(UpdateNoticeFromCopyData(&two_lines), "a\nb");
    EXPECT_TRUE(OnUpdateNoticeCopyData(notice, reinterpret_cast<LPARAM>(&two_lines)));
    EXPECT_EQ(popup.shown.size(), 2u);
}

TEST_F(UpdateNoticeMessagesTest, CopyDataSentToAWindowReachesTheNotice) {
    struct Receiver {
        static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
            if (message == WM_COPYDATA) {
                auto* target = reinterpret_cast<UpdateNotice*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
                return OnUpdateNoticeCopyData(*target, lparam) ? TRUE : FALSE;
            }
            return ::DefWindowProcW(hwnd, message, wparam, lparam);
        }
    };
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &Receiver::Proc;
    window_class.lpszClassName = L"KalvoroNoticeReceiver";
    ::RegisterClassW(&window_class);
    const HWND bar =
        ::CreateWindowExW(0, L"KalvoroNoticeReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(bar, nullptr);
    ::SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notice));
    const std::string text = Utf8ToGbk("新版本\r\n说明\r\n下载");
    COPYDATASTRUCT data{kUpdateNoticeCopyDataId, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
    EXPECT_EQ(::SendMessageW(bar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
    ::DestroyWindow(bar);
    EXPECT_EQ(popup.shown.size(), 1u);
    EXPECT_TRUE(files.Exists("C:\\K\\Upgrade.his"));
}

}  // namespace
}  // namespace kalvoro::win
