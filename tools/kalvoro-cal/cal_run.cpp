#include "cal_run.h"

#include "cal_format.h"
#include "cal_options.h"
#include "calendar/calendar_window_festivals.h"

namespace kalvoro::cal {
namespace {

void WriteMonth(const RunContext& context, int year, int month) {
    const DateParts today = DecodeDate(context.now);
    const bool shows_today = context.highlight && today.year == year && today.month == month;
    context.write_out(FormatMonthGrid(year, month, shows_today ? today.day : 0));
}

void WriteDates(const RunContext& context, const CalOptions& options) {
    const TFestivalList default_festivals;
    const TFestivalList window_festivals = MakeCalendarWindowFestivals();
    bool first = true;
    auto write_one = [&](const GivenDate& date) {
        if (options.json) {
            context.write_out(FormatJsonRecord(date, default_festivals, window_festivals) + "\n");
            return;
        }
        if (!first) context.write_out("\n");
        first = false;
        context.write_out(FormatHintLines(date.value, window_festivals));
    };
    for (const GivenDate& date : options.dates) write_one(date);
    if (options.range_start && options.range_end) {
        for (DateTime day = options.range_start->value; day <= options.range_end->value; ++day) {
            write_one(GivenDate{FormatDateTime("yyyy-mm-dd", day), day});
        }
    }
}

}  // namespace

int RunCal(std::span<const std::string> arguments, const RunContext& context) {
    const ParseResult parsed = ParseArguments(arguments);
    if (!parsed.options) {
        context.write_error("kalvoro-cal: " + parsed.error + "\nTry 'kalvoro-cal --help'.\n");
        return kExitBadArguments;
    }
    const CalOptions& options = *parsed.options;
    switch (options.mode) {
        case CalOptions::Mode::kHelp:
            context.write_out(UsageText());
            break;
        case CalOptions::Mode::kMonth: {
            const DateParts today = DecodeDate(context.now);
            WriteMonth(context, options.year != 0 ? options.year : today.year,
                       options.month != 0 ? options.month : today.month);
            break;
        }
        case CalOptions::Mode::kYear:
            for (int month = 1; month <= 12; ++month) {
                if (month > 1) context.write_out("\n");
                WriteMonth(context, options.year, month);
            }
            break;
        case CalOptions::Mode::kDates:
            WriteDates(context, options);
            break;
    }
    return kExitOk;
}

}  // namespace kalvoro::cal
