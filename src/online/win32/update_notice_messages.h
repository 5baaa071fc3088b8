#pragma once
// The bar's side of the update notice. 0x0401 can be posted by any program on the desktop, so its
// lParam is never read as an address: a sender inside this process deposits the text here and
// passes the ticket the deposit returns; any other value finds nothing and the message is ignored.
// Other programs hand the same notice over WM_COPYDATA (dwData kUpdateNoticeCopyDataId, the text in
// GBK with its NUL, at most kMaxCopyDataBytes).
//
// The bar's window procedure:
//   case kMsgUpdateNotice:    OnUpdateNoticeMessage(notice, lparam); return 0;
//   case kMsgUpdateCheckDone: notice.OnUpdateCheckDone(); return 0;
//   case WM_COPYDATA:         if (OnUpdateNoticeCopyData(notice, lparam)) return TRUE; ...

#include <windows.h>

#include <optional>
#include <string>

#include "online/update_notice.h"

namespace kalvoro::win {

// For senders in this process: keeps the GBK text and returns the ticket to post as lParam.
LPARAM DepositUpdateNotice(std::string gbk_text);
// Deposits the text and posts 0x0401 to the window; false when the post failed.
bool PostUpdateNotice(HWND bar, std::string gbk_text);
// The deposited text for a ticket, once; nothing for a value no deposit returned.
std::optional<std::string> TakeUpdateNotice(LPARAM ticket);

// The text of a WM_COPYDATA notice; nothing when it is not one or its block is refused.
std::optional<std::string> UpdateNoticeFromCopyData(const COPYDATASTRUCT* data);

// True when the message was ours and handled.
bool OnUpdateNoticeMessage(UpdateNotice& notice, LPARAM lparam);
bool OnUpdateNoticeCopyData(UpdateNotice& notice, LPARAM lparam);

}  // namespace kalvoro::win
