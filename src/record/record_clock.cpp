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

std::string UtcText(std::time_t moment) {
    std::tm utc{};
    gmtime_r(&moment, &utc);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(text, length);
}
