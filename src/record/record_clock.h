#pragma once
// Where the record reads the time: the moment in UTC and the learner's local date. The store
// is given one, so tests fix both.
#include <chrono>
#include <ctime>
#include <string>

class CRecordClock {
public:
    virtual ~CRecordClock() = default;
    virtual std::time_t Now() const = 0;                // seconds since 1970, UTC
    virtual std::chrono::sys_days Today() const = 0;    // the local date of Now()
    virtual std::tm LocalTime() const = 0;              // Now() as local time (for file names)
};

// The machine's clock and time zone.
const CRecordClock& SystemRecordClock();

// A date of the record as text: "2026-12-07".
std::string DayText(std::chrono::sys_days day);
// A moment as ISO 8601 UTC: "2026-12-07T09:30:00Z".
std::string UtcText(std::time_t moment);
