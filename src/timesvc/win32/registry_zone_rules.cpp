#include "timesvc/win32/registry_zone_rules.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/win32/text.h"

namespace kalvoro::win {
namespace {

// The registry's layout of a zone's rules.
struct RegistryTzi {
    LONG bias;
    LONG standard_bias;
    LONG daylight_bias;
    SYSTEMTIME standard_date;
    SYSTEMTIME daylight_date;
};

class RegistryKey {
public:
    RegistryKey(HKEY parent, const std::wstring& path) {
        if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) ::RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

    bool ReadTzi(const wchar_t* name, RegistryTzi& out) const {
        DWORD type = 0;
        DWORD size = sizeof(out);
        return key_ &&
               ::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size) == ERROR_SUCCESS &&
               type == REG_BINARY && size == sizeof(out);
    }
    bool ReadDword(const wchar_t* name, DWORD& out) const {
        DWORD type = 0;
        DWORD size = sizeof(out);
        return key_ &&
               ::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size) == ERROR_SUCCESS &&
               type == REG_DWORD;
    }

private:
    HKEY key_ = nullptr;
};

WeekdayRule RuleOf(const SYSTEMTIME& date) {
    return {date.wMonth, date.wDay, date.wDayOfWeek, date.wHour, date.wMinute};
}

}  // namespace

std::optional<ZoneYearRules> RegistryZoneRules::ForYear(const std::string& zone, int year) {
    if (zone.empty() || zone.find('\\') != std::string::npos) return std::nullopt;
    const std::wstring path = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + Widen(zone);
    const RegistryKey zone_key(HKEY_LOCAL_MACHINE, path);
    if (!zone_key.get()) return std::nullopt;

    RegistryTzi tzi{};
    bool found = false;
    const RegistryKey dynamic(zone_key.get(), L"Dynamic DST");
    DWORD first = 0, last = 0;
    if (dynamic.ReadDword(L"FirstEntry", first) && dynamic.ReadDword(L"LastEntry", last) && first <= last) {
        const int entry = std::max<int>(static_cast<int>(first), std::min<int>(year, static_cast<int>(last)));
        found = dynamic.ReadTzi(std::to_wstring(entry).c_str(), tzi);
    }
    if (!found && !zone_key.ReadTzi(L"TZI", tzi)) return std::nullopt;

    ZoneYearRules rules;
    if (tzi.daylight_date.wMonth == 0 || tzi.standard_date.wMonth == 0) return rules;  // no daylight time
    // A rule for one fixed date (a year given) is not a weekday rule.
    if (tzi.daylight_date.wYear != 0 || tzi.standard_date.wYear != 0) return std::nullopt;
    rules.has_dst = true;
    rules.start = RuleOf(tzi.daylight_date);
    rules.end = RuleOf(tzi.standard_date);
    return rules;
}

}  // namespace kalvoro::win
