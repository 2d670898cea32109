// Judging a typed answer kindly: folding a 100-character answer and comparing it with the five
// stored answers of its question, which were folded once when the question was presented.
// Goal: at most 20 µs a submission.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "quiz/answer_folding.h"
#include "quiz/folded_answers.h"
#include "wordlist/question.h"

namespace {

// 100 characters of every kind that folds: kana of both widths, full-width letters and
// digits, kanji and ideographic blanks.
std::string Answer(const char* tail) {
    const std::string piece = "とうきょうﾄｳｷｮｳＡＢＣabc東京　ｶﾞｯｺｳ ";  // 20 characters
    std::string utf8;
    for (int i = 0; i < 4; ++i) utf8 += piece;
    return text::ToCp932(utf8 + tail);  // 20 more
}

void BM_FoldAnswer100(benchmark::State& state) {
    const std::string typed = Answer("ＴＯＫＹＯのがっこうにいきましたヨ。　");
    for (auto _ : state) benchmark::DoNotOptimize(FoldAnswer(typed));
}
BENCHMARK(BM_FoldAnswer100)->Unit(benchmark::kMicrosecond);

// The typed answer stands for the last of the five, so every one is compared.
void BM_LenientSubmission100Against5(benchmark::State& state) {
    std::vector<std::string> stored;
    for (const char* tail : {"1", "2", "3", "4"}) stored.push_back(Answer(tail));
    stored.push_back(Answer("tokyoのガッコウにいきましたよ。"));
    CQuestion question("q", "5", true, stored);
    CFoldedAnswers folded;
    folded.Fold(question);
    const std::string typed = Answer("ＴＯＫＹＯのがっこうにいきましたヨ。　");
    for (auto _ : state) {
        if (folded.Check(question, typed) != CQuestion::kNewlyGiven) state.SkipWithError("no match");
        question.ResetProgress();
    }
}
BENCHMARK(BM_LenientSubmission100Against5)->Unit(benchmark::kMicrosecond);

}  // namespace
