#include "record/record_clock.h"

#include <cstdio>

namespace {

class CSystemClock : public CRecordClock {
public:
    std::time_t Now() const override { return std::time(nullptr); }
    std::tm LocalTime() const override {
        const std::time_t now = Now();
        std::tm local{};
        localtime_r(&now, &local);
        return local;
    }
    std::chrono::sys_days Today() const override {
        const std::tm local = LocalTime();
        return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
    }
};

}  // namespace

const CRecordClock& SystemRecordClock() {
    static const CSystemClock clock;
    return clock;
}

std::string DayText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<std::chrono::sys_days> ParseDayText(std::string_view text) {
    // Read for every question of the record when a review is drawn: kept to plain digits.
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days{date};
}

std::string UtcText(std::time_t moment) {
    std::tm utc{};
    gmtime_r(&moment, &utc);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(text, length);
}
