// kalvoro-cal's command line: the input is the arguments separated by NUL bytes. Any arguments
// give either a run with exit code 0 or a message on standard error with exit code 2; a date the
// program accepts, written back as "YYYY-MM-DD", is accepted as the same day.

#include <string>
#include <vector>

#include "base/date_time.h"
#include "base/fuzz/fuzz_check.h"
#include "cal_options.h"
#include "cal_run.h"

namespace {

std::vector<std::string> SplitArguments(std::string_view bytes) {
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start <= bytes.size() && arguments.size() < 64) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos) end = bytes.size();
        arguments.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    if (!arguments.empty() && arguments.back().empty()) arguments.pop_back();
    return arguments;
}

void CheckDateRoundTrip(const std::string& argument) {
    const auto given = kalvoro::cal::ParseGivenDate(argument, true);
    if (!given) return;
    FUZZ_CHECK(given->text == argument);
    const kalvoro::DateParts parts = kalvoro::DecodeDate(given->value);
    const std::string written = kalvoro::IntToZeroStr(parts.year, 4) + "-" + kalvoro::IntToZeroStr(parts.month, 2) +
                                "-" + kalvoro::IntToZeroStr(parts.day, 2);
    const auto again = kalvoro::cal::ParseGivenDate(written, false);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->value == kalvoro::DateOf(given->value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro::cal;
    const std::vector<std::string> arguments = SplitArguments(kalvoro::fuzz::Bytes(data, size));
    for (const std::string& argument : arguments) CheckDateRoundTrip(argument);

    const ParseResult parsed = ParseArguments(arguments);
    FUZZ_CHECK(parsed.options.has_value() == parsed.error.empty());
    // A long range is a long but valid run; the fuzzer runs the short ones.
    if (parsed.options && parsed.options->range_start && parsed.options->range_end &&
        parsed.options->range_end->value - parsed.options->range_start->value > 62) {
        return 0;
    }

    std::string out;
    std::string error;
    const RunContext context{kalvoro::EncodeDate(2009, 1, 25) + 0.5, false, [&](std::string_view text) { out += text; },
                             [&](std::string_view text) { error += text; }};
    const int code = RunCal(arguments, context);
    FUZZ_CHECK(code == kExitOk || code == kExitBadArguments);
    FUZZ_CHECK((code == kExitOk) == parsed.options.has_value());
    FUZZ_CHECK(code == kExitOk ? !out.empty() : !error.empty());
    return 0;
}
