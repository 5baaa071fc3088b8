#include "online/win32/update_notice_messages.h"

#include <cstring>
#include <map>
#include <mutex>

#include "base/popup_protocol.h"
#include "base/win32/window.h"

namespace kalvoro::win {
namespace {

// Deposits that were never taken (a post that failed to arrive) are dropped past this many.
constexpr std::size_t kMaxWaitingNotices = 16;

struct Mailbox {
    std::mutex lock;
    std::map<LPARAM, std::string> texts;
    // Tickets start at an odd, process-specific value so a number another program guesses rarely
    // matches; a match only ever yields a text this process deposited.
    LPARAM next = static_cast<LPARAM>((static_cast<ULONG_PTR>(::GetCurrentProcessId()) << 16) | 0x4001);
};

Mailbox& TheMailbox() {
    static Mailbox mailbox;
    return mailbox;
}

}  // namespace

LPARAM DepositUpdateNotice(std::string gbk_text) {
    Mailbox& mailbox = TheMailbox();
    const std::lock_guard guard(mailbox.lock);
    while (mailbox.texts.size() >= kMaxWaitingNotices) mailbox.texts.erase(mailbox.texts.begin());
    const LPARAM ticket = mailbox.next;
    mailbox.next += 2;
    mailbox.texts[ticket] = std::move(gbk_text);
    return ticket;
}

bool PostUpdateNotice(HWND bar, std::string gbk_text) {
    const LPARAM ticket = DepositUpdateNotice(std::move(gbk_text));
    if (::PostMessageW(bar, kMsgUpdateNotice, 0, ticket)) return true;
    TakeUpdateNotice(ticket);
    return false;
}

std::optional<std::string> TakeUpdateNotice(LPARAM ticket) {
    Mailbox& mailbox = TheMailbox();
    const std::lock_guard guard(mailbox.lock);
    const auto found = mailbox.texts.find(ticket);
    if (found == mailbox.texts.end()) return std::nullopt;
    std::string text = std::move(found->second);
    mailbox.texts.erase(found);
    return text;
}

std::optional<std::string> UpdateNoticeFromCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kUpdateNoticeCopyDataId) return std::nullopt;
    if (!data->lpData || data->cbData == 0 || data->cbData > kMaxCopyDataBytes) return std::nullopt;
    const char* bytes = static_cast<const char*>(data->lpData);
    const void* nul = std::memchr(bytes, 0, data->cbData);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : data->cbData;
    return std::string(bytes, length);
}

bool OnUpdateNoticeMessage(UpdateNotice& notice, LPARAM lparam) {
    const std::optional<std::string> text = TakeUpdateNotice(lparam);
    if (!text) return false;
    return Guarded([&] { notice.OnUpdateNotice(*text); });
}

bool OnUpdateNoticeCopyData(UpdateNotice& notice, LPARAM lparam) {
    const std::optional<std::string> text = UpdateNoticeFromCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    if (!text) return false;
    Guarded([&] { notice.OnUpdateNotice(*text); });
    return true;
}

}  // namespace kalvoro::win
