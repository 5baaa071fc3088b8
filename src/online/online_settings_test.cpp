#include "online/online_settings.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(OnlineSettingsTest, ReservedNamesAndOtherSchemesNameNoServer) {
    for (const char* url :
         {"http://kalvoro.org/", "https://www.kalvoro.org/x", "http://127.0.0.1:8080/", "HTTP://Kalvoro.ORG"}) {
        EXPECT_TRUE(NamesServer(url)) << url;
    }
    for (const char* url :
         {"", "https://kalvoro.example/", "http://a.invalid/", "http://x.test:80/", "http://localhost/",
          "ftp://kalvoro.org/", "file:///C:/x.htm", "http:///path", "kalvoro.org"}) {
        EXPECT_FALSE(NamesServer(url)) << url;
    }
}

TEST(OnlineSettingsTest, BuildAddressesUnlessTheSettingsFileOverridesThem) {
    const OnlineAddresses built =
        ResolveOnlineAddresses(IniDocument::Parse(""), "http://kalvoro.org", "http://kalvoro.org/w.htm");
    EXPECT_EQ(built.web_site, "http://kalvoro.org/");
    EXPECT_EQ(built.announcements, "http://kalvoro.org/AD/AD003.txt");
    EXPECT_EQ(built.weather_page, "http://kalvoro.org/w.htm");

    const OnlineAddresses placeholder = ResolveOnlineAddresses(IniDocument::Parse(""), "https://kalvoro.example/",
                                                               "https://kalvoro.example/Weather_Kalvoro.htm");
    EXPECT_EQ(placeholder.web_site, "https://kalvoro.example/");
    EXPECT_EQ(placeholder.announcements, "");
    EXPECT_EQ(placeholder.weather_page, "");

    const OnlineAddresses site = ResolveOnlineAddresses(
        IniDocument::Parse("[ONLINE]\r\nWebSite=http://127.0.0.1:8123\r\n"), "https://kalvoro.example/", "");
    EXPECT_EQ(site.announcements, "http://127.0.0.1:8123/AD/AD003.txt");
    EXPECT_EQ(site.weather_page, "http://127.0.0.1:8123/Weather_Kalvoro.htm");

    const OnlineAddresses off =
        ResolveOnlineAddresses(IniDocument::Parse("[ONLINE]\r\nWebSite=\r\nWeatherPage=http://w.org/p.htm\r\n"),
                               "http://kalvoro.org/", "http://kalvoro.org/w.htm");
    EXPECT_EQ(off.announcements, "");
    EXPECT_EQ(off.weather_page, "http://w.org/p.htm");
}

}  // namespace
}  // namespace kalvoro
