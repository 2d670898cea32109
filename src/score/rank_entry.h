#pragma once
#include <string>

// One ranked result.
struct CRankEntry {
    std::string date;  // "%Y/%m/%d", kept as read
    std::string name;  // CP932; "(no-name)" when the learner gave none
    int questions = 0;
    int right = 0;

    // right / questions * 100 in double precision; 0 when questions is not above 0.
    double GetRate() const { return questions > 0 ? static_cast<double>(right) / questions * 100.0 : 0.0; }
};
