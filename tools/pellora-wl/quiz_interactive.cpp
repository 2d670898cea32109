// The interactive mode of `pellora-wl quiz`: the question and its counters on the terminal,
// one answer a line. Lines beginning with a backslash are commands, so every answer can still
// be typed: "\\" at the start stands for one backslash of the answer.
#include <cstdio>
#include <string>

#include "quiz/answer_recorder.h"
#include "quiz_session.h"

namespace {

constexpr const char* kKeys =
    "  \\h [TEXT]  hint: one more character of an answer, from TEXT typed so far\n"
    "  \\r         retry: the same questions again from the first\n"
    "  \\q         quit without a result (end of input does the same)\n"
    "  \\\\TEXT     the answer \\TEXT\n"
    "  \\?         these keys\n";

class CInteractive {
public:
    CInteractive(CQuizRun& run, CCliQuizFront& front, bool hintsOn) : run_(run), front_(front), hintsOn_(hintsOn) {
        front_.beforeEnding = [this] { ShowPendingVerdict(); };
    }
    ~CInteractive() { front_.beforeEnding = nullptr; }

    int Run() {
        std::printf("Answer each question on one line. Keys:\n%s", kKeys);
        run_.Start();
        ShowQuestion();
        std::string line;
        for (;;) {
            std::fputs(run_.GetActive() == 1 && run_.GetCurrentQuestion() ? "> " : "(\\r retry, \\q quit) ", stdout);
            std::fflush(stdout);
            if (!ReadInputLine(line)) {
                run_.Stop(RunEnding::Closed);
                break;
            }
            if (line.compare(0, 2, "\\\\") == 0) {
                Answer(line.substr(1));
            } else if (!line.empty() && line[0] == '\\') {
                if (!Command(line)) break;
            } else {
                Answer(line);
            }
            if (std::optional<std::string> error = front_.TakeSaveError()) {
                std::printf("error: %s\n", error->c_str());
                exitCode_ = 1;
            }
            front_.TakeEnding();
        }
        std::fputc('\n', stdout);
        return exitCode_;
    }

private:
    // False to quit.
    bool Command(const std::string& line) {
        if (line == "\\q") {
            run_.Stop(RunEnding::Aborted);
            return false;
        }
        if (line == "\\r") {
            run_.Start();
            ShowQuestion();
        } else if (line == "\\h" || line.compare(0, 3, "\\h ") == 0) {
            Hint(line.size() > 3 ? line.substr(3) : std::string());
        } else {
            std::printf("keys:\n%s", kKeys);
        }
        return true;
    }

    void Hint(const std::string& typedUtf8) {
        if (!hintsOn_) return (void)std::puts("hints are off");
        if (run_.GetCurrentQuestion() && run_.GetForm() == QuizForm::Choice)
            return (void)std::puts("a choice question has no hint");
        std::optional<std::string> typed = LearnerText(typedUtf8);
        if (!typed) return (void)std::puts("error: code page 932 cannot hold that text");
        std::printf("hint: %s\n", ForTerminal(run_.Hint(*typed).text).c_str());
    }

    void Answer(const std::string& utf8) {
        if (run_.GetActive() != 1 || !run_.GetCurrentQuestion())
            return (void)std::puts("the run has ended: \\r retries, \\q quits");
        std::string answer;
        if (run_.GetForm() == QuizForm::Choice) {
            const int shown = ShownSlots();
            if (utf8.size() != 1 || utf8[0] < '0' || utf8[0] > '0' + shown)
                return (void)std::printf("type a choice number 1-%d (0: none)\n", shown);
            if (utf8[0] != '0') answer = run_.GetSlotText(utf8[0] - '1');
        } else {
            std::optional<std::string> text = LearnerText(utf8);
            if (!text) return (void)std::puts("error: code page 932 cannot hold that answer; type it again");
            answer = *text;
        }
        verdictPending_ = true;
        const SubmitOutcome outcome = run_.Submit(answer);
        switch (outcome) {
            case SubmitOutcome::Partial:
                verdictPending_ = false;
                std::printf("right: %d more (given: %s)\n", run_.GetRemainingAnswers(),
                            ForTerminal(run_.GetGivenAnswersText()).c_str());
                return;
            case SubmitOutcome::AlreadyGiven:
                verdictPending_ = false;
                std::puts("already given");
                return;
            default:
                break;
        }
        ShowPendingVerdict();
        if (run_.GetActive() == 1) ShowQuestion();
    }

    void ShowPendingVerdict() {
        if (!verdictPending_) return;
        verdictPending_ = false;
        std::string verdict = ForTerminal(run_.GetMessageText());
        while (!verdict.empty() && verdict.back() == '\n') verdict.pop_back();  // the answer list ends its lines
        std::printf("%s\n", verdict.c_str());
        std::fflush(stdout);
    }

    int ShownSlots() const {
        int shown = 0;
        while (shown < CQuizRun::kSlots && run_.IsSlotShown(shown)) ++shown;
        return shown;
    }

    void ShowQuestion() {
        if (!run_.GetCurrentQuestion()) return;
        std::printf("\n問 (残り %d)\n%s\n", run_.GetRemainingQuestions(), ForTerminal(run_.GetQuestionText()).c_str());
        if (run_.GetForm() == QuizForm::Several)
            std::printf("複数解答 ： 残り %d\n", run_.GetRemainingAnswers());
        if (run_.GetForm() == QuizForm::Choice) {
            for (int slot = 0; slot < ShownSlots(); ++slot)
                std::printf("  %d) %s\n", slot + 1, ForTerminal(run_.GetSlotText(slot)).c_str());
        }
        std::fflush(stdout);
    }

    CQuizRun& run_;
    CCliQuizFront& front_;
    bool hintsOn_;
    bool verdictPending_ = false;
    int exitCode_ = 0;
};

}  // namespace

int RunQuizInteractive(CQuizRun& run, CCliQuizFront& front, bool hintsOn) {
    return CInteractive(run, front, hintsOn).Run();
}
