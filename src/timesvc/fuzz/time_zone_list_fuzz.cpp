// Any bytes as "TimeZone.lst": the reader and the window's model give a defined result.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "timesvc/time_zone_list.h"
#include "timesvc/world_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int year = size > 0 ? 2024 + data[0] % 4 : 2026;  // leap and common years
    WorldTimeModel model(ReadTimeZoneList(bytes, year), year, nullptr);
    const DateTime utc = EncodeDate(year, 7, 1);
    for (int country = 0; country < static_cast<int>(model.Countries().size()) && country < 8; ++country) {
        model.SelectCountry(country);
        for (int city = 0; city < 4 && model.SelectCity(city, utc); ++city) {
            (void)model.TimeLine(utc);
            (void)model.Heading();
            (void)model.DstStartLine();
            (void)model.DstEndLine();
        }
    }
    (void)ParseDstRule(bytes);
    (void)ParseUtcOffset(bytes);
    return 0;
}
