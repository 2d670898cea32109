#include <cstdio>
#include <iostream>
#include <utility>

#include "app/app_settings.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "quiz_session.h"
#include "score/rank_table.h"

CCliQuizFront::CCliQuizFront(CAppSettings& settings, CRecordingPrompt& prompt, std::optional<std::string> name,
                             bool interactive)
    : settings_(settings), prompt_(prompt), name_(std::move(name)), interactive_(interactive) {}

void CCliQuizFront::AnnounceEnding() {
    if (beforeEnding) beforeEnding();
}

std::string CCliQuizFront::AskName(int position, const std::string& rateText) {
    AnnounceEnding();
    if (interactive_) {
        std::printf("\nおめでとう。あなたの正答率 %s は\n第%d位です。\n", rateText.c_str(), position);
        std::fflush(stdout);
    }
    if (name_ || !interactive_) return name_.value_or(std::string());
    for (;;) {
        std::fputs("名前： ", stdout);
        std::fflush(stdout);
        std::string line;
        if (!ReadInputLine(line)) return std::string();
        if (std::optional<std::string> name = LearnerText(line)) return *name;
        std::puts("error: the name holds characters that code page 932 cannot hold; type it again");
    }
}

void CCliQuizFront::ShowScoreTable(int position) {
    ending_ = QuizEnding{position, std::nullopt};
    CRankTable* table = settings_.GetRankTable();
    prompt_.Clear();
    if (table && !table->Save()) {
        const auto& messages = prompt_.Messages();
        saveError_ = messages.empty() ? table->GetPath().string() + " : not written" : messages.back().text;
    }
    if (!interactive_ || !table) return;
    int count = 0;
    const std::vector<CRankEntry>* entries = table->GetCurrentEntries(&count);
    std::puts("\n成績表");
    for (int i = 0; i < count; ++i) {
        const CRankEntry& entry = (*entries)[static_cast<std::size_t>(i)];
        std::printf("%s %2d. %s  %s  %d / %d  %3.2f\n", i + 1 == position ? "*" : " ", i + 1,
                    ForTerminal(entry.date).c_str(), ForTerminal(entry.name).c_str(), entry.right, entry.questions,
                    entry.GetRate());
    }
    std::fflush(stdout);
}

void CCliQuizFront::ShowSummary(const std::string& text, const std::string& caption) {
    AnnounceEnding();
    ending_ = QuizEnding{-1, text};
    if (interactive_) {
        std::printf("\n[%s] %s\n", caption.c_str(), text.c_str());
        std::fflush(stdout);
    }
}

std::optional<QuizEnding> CCliQuizFront::TakeEnding() { return std::exchange(ending_, std::nullopt); }

std::optional<std::string> CCliQuizFront::TakeSaveError() { return std::exchange(saveError_, std::nullopt); }

std::optional<std::string> LearnerText(const std::string& utf8) { return text::Utf8ToCp932(utf8); }

bool ReadInputLine(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::string ForTerminal(const std::string& cp932) {
    std::string utf8 = text::Cp932ToUtf8Lossy(cp932);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        out += utf8[i];
    }
    return out;
}
