#include "online/online_settings.h"

#include "base/settings_keys.h"

#include "online/announcements.h"
#include "online/online_build_config.h"
#include "online/text_lines.h"

namespace kalvoro {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string WithSlash(std::string_view site) {
    std::string text(TrimBlanks(site));
    if (!text.empty() && text.back() != '/') text += '/';
    return text;
}

}  // namespace

bool NamesServer(std::string_view url) {
    const std::string lower = Lower(TrimBlanks(url));
    std::string_view rest = lower;
    if (rest.starts_with("http://")) {
        rest.remove_prefix(7);
    } else if (rest.starts_with("https://")) {
        rest.remove_prefix(8);
    } else {
        return false;
    }
    std::string_view host = rest.substr(0, rest.find_first_of("/:?#"));
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) host.remove_prefix(at + 1);
    if (host.empty()) return false;
    for (const std::string_view reserved : {"example", "invalid", "test", "localhost"}) {
        if (host == reserved || EndsWith(host, "." + std::string(reserved))) return false;
    }
    return true;
}

OnlineAddresses ResolveOnlineAddresses(const IniDocument& settings, std::string_view build_web_site,
                                       std::string_view build_weather_page) {
    OnlineAddresses addresses;
    const bool site_set = settings.HasKey(settings_keys::kOnlineWebSite.section, settings_keys::kOnlineWebSite.name);
    addresses.web_site = WithSlash(
        site_set ? settings.ReadString(settings_keys::kOnlineWebSite.section, settings_keys::kOnlineWebSite.name, "")
                 : build_web_site);
    if (NamesServer(addresses.web_site)) addresses.announcements = addresses.web_site + kAnnouncementServerPath;

    std::string weather;
    if (settings.HasKey(settings_keys::kOnlineWeatherPage.section, settings_keys::kOnlineWeatherPage.name)) {
        weather = std::string(TrimBlanks(settings.ReadString(settings_keys::kOnlineWeatherPage.section,
                                                             settings_keys::kOnlineWeatherPage.name, "")));
    } else if (site_set) {
        weather = addresses.web_site + kWeatherPageName;
    } else {
        weather = std::string(TrimBlanks(build_weather_page));
    }
    if (NamesServer(weather)) addresses.weather_page = weather;
    return addresses;
}

OnlineAddresses ReadOnlineAddresses(const IniFile& settings) {
    return ResolveOnlineAddresses(settings.Load(), online_build::kWebSite, online_build::kWeatherPage);
}

}  // namespace kalvoro
