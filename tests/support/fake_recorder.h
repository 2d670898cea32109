#pragma once
// A learning record that keeps what it hears as lines, forms, outcomes and endings by initial; it
// can fail as a full disk would. timed: off where the clock is the real one.
#include "quiz/answer_recorder.h"

struct CFakeRecorder : CAnswerRecorder {
    void RunStarted(const RecordedRun& r) override {  // file first-genre count h c t r
        Tell(r.wordListFile + " " + r.genres.at(0) + " " + std::to_string(r.count) + " h" + std::to_string(r.hint) +
             " c" + std::to_string(r.completeMode) + " t" + std::to_string(r.timeLimit) + " r" + std::to_string(r.review));
    }
    void AnswerJudged(const RecordedAnswer& a) override {  // place genre question form+outcome 'given' [ms]
        Tell(std::to_string(a.place) + " " + a.genre + " " + a.question + " " + "osc"[static_cast<int>(a.form)] +
             "rhwt"[static_cast<int>(a.outcome)] + " '" + a.given + "'" + (timed ? std::to_string(a.milliseconds) : ""));
    }
    void RunEnded(RunEnding how, unsigned right) override { Tell("fatc"[static_cast<int>(how)] + std::to_string(right)); }
    void Tell(std::string line) {
        said.push_back(std::move(line));
        if (fails) throw 0;
    }
    std::vector<std::string> said;
    bool fails = false, timed = true;
};
