// The Run entry of the settings dialog's "Windows启动时运行".

#include <string>

#include "app/options_rules.h"
#include "app/win32/frm_options.h"
#include "base/win32/handles.h"
#include "base/win32/text.h"

namespace kalvoro::win {

namespace {

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { ::RegCloseKey(key); }
};
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;

RegKey OpenRunKey(HKEY root, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, kRunKeyPath, 0, access, &key) != ERROR_SUCCESS) return {};
    return RegKey(key);
}

bool ValueStartsUs(HKEY root, const std::string& exe_path) {
    const RegKey key = OpenRunKey(root, KEY_QUERY_VALUE);
    if (!key) return false;
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), kRunValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0 || bytes > 64 * 1024) return false;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.get(), kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return IsOurRunValue(Narrow(value), exe_path);
}

// Removes the value; true when it is gone afterwards (or never was there).
bool RemoveValue(HKEY root) {
    HKEY opened = nullptr;
    const LSTATUS open = ::RegOpenKeyExW(root, kRunKeyPath, 0, KEY_SET_VALUE, &opened);
    if (open == ERROR_FILE_NOT_FOUND) return true;
    if (open != ERROR_SUCCESS) return false;
    const RegKey key(opened);
    const LSTATUS status = ::RegDeleteValueW(key.get(), kRunValueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool RunEntryPresent(const std::string& exe_path, HKEY user_root) {
    return ValueStartsUs(HKEY_LOCAL_MACHINE, exe_path) || ValueStartsUs(user_root, exe_path);
}

bool WriteRunEntry(const std::string& exe_path, bool on, HKEY user_root) {
    if (!on) {
        const bool user_gone = RemoveValue(user_root);
        // A machine entry of this program goes where the user may remove it; another's stays.
        const bool machine_gone = !ValueStartsUs(HKEY_LOCAL_MACHINE, exe_path) || RemoveValue(HKEY_LOCAL_MACHINE);
        return user_gone && machine_gone;
    }
    HKEY created = nullptr;
    if (::RegCreateKeyExW(user_root, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const RegKey key(created);
    const std::wstring command = Widen(StartCommand(exe_path));
    const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    // A machine entry as well would start the program twice; it goes where the user may remove it.
    if (ValueStartsUs(HKEY_LOCAL_MACHINE, exe_path)) RemoveValue(HKEY_LOCAL_MACHINE);
    return true;
}

}  // namespace kalvoro::win
