#include "platform/local_date.h"

std::string FormatLocalDate(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char buffer[64];
    std::size_t length = std::strftime(buffer, sizeof buffer, "%Y/%m/%d", &local);
    return std::string(buffer, length);
}

std::string TodayLocalDate() { return FormatLocalDate(std::time(nullptr)); }
