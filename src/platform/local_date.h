#pragma once
#include <ctime>
#include <string>

// The local date of the given moment as "%Y/%m/%d", for example 2001/05/12.
std::string FormatLocalDate(std::time_t moment);
std::string TodayLocalDate();
