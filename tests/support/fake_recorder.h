#pragma once
// A learning record that keeps what it is told as readable lines, in order; it can be made to
// fail on every call, as a record on a broken disk might.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "quiz/answer_recorder.h"

class CFakeRecorder : public CAnswerRecorder {
public:
    void RunStarted(const RecordedRun& run) override {
        std::string genres;
        for (const std::string& genre : run.genres) genres += (genres.empty() ? "" : "|") + Utf8(genre);
        Tell("start " + run.wordListFile + " " + genres + " n=" + std::to_string(run.count) +
             " hint=" + std::to_string(run.hint) + " complete=" + std::to_string(run.completeMode) +
             " limit=" + std::to_string(run.timeLimit) + " review=" + std::to_string(run.review));
    }
    // "place genre question form outcome 'given' ms" (UTF-8)
    void AnswerJudged(const RecordedAnswer& answer) override {
        static const char* const forms[] = {"one", "several", "choice"};
        static const char* const outcomes[] = {"right", "hint", "wrong", "timeout"};
        Tell(std::to_string(answer.place) + " " + Utf8(answer.genre) + " " + Utf8(answer.question) + " " +
             forms[static_cast<int>(answer.form)] + " " + outcomes[static_cast<int>(answer.outcome)] + " '" +
             Utf8(answer.given) + "'" + (timed ? " " + std::to_string(answer.milliseconds) : ""));
    }
    void RunEnded(RunEnding ending, unsigned rightCount) override {
        static const char* const endings[] = {"finished", "aborted", "timeout", "closed"};
        Tell(std::string("end ") + endings[static_cast<int>(ending)] + " " + std::to_string(rightCount));
    }

    std::vector<std::string> said;
    bool fails = false;
    bool timed = true;  // off where the time is the real clock's

private:
    static std::string Utf8(const std::string& cp932) { return text::Cp932ToUtf8Lossy(cp932); }
    void Tell(std::string line) {
        said.push_back(std::move(line));
        if (fails) throw std::runtime_error("disk full");
    }
};
