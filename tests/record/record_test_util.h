#pragma once
// A clock the tests set, and a record's answers in a comparable form.
#include <chrono>
#include <ctime>
#include <string>
#include <tuple>

#include "record/record_clock.h"
#include "record/record_store.h"

// 2026-12-07 09:30:00 UTC; the local date and time are taken as UTC's.
struct FixedClock : CRecordClock {
    std::time_t now = 1796635800;
    std::chrono::sys_days today = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7};
    std::time_t Now() const override { return now; }
    std::chrono::sys_days Today() const override { return today; }
    std::tm LocalTime() const override {
        std::tm local{};
        gmtime_r(&now, &local);
        return local;
    }
    void NextDay() {
        now += 86400;
        today += std::chrono::days{1};
    }
};

inline auto Fields(const RecordedAnswer& a) {
    return std::tuple(a.place, a.genre, a.question, a.form, a.outcome, a.given, a.milliseconds);
}
