// The script mode of `pellora-wl quiz`: one command a line in, one JSON object a line out.
#include <cstdio>
#include <string>
#include <string_view>

#include "json_writer.h"
#include "quiz/answer_recorder.h"
#include "quiz_session.h"

namespace {

void Emit(const std::string& object) {
    std::fputs(object.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void EmitError(const std::string& message) {
    Emit("{\"event\": \"error\", \"message\": " + json::Quote(message) + "}");
}

const char* FormName(QuizForm form) {
    switch (form) {
        case QuizForm::One: return "one";
        case QuizForm::Several: return "several";
        case QuizForm::Choice: return "choice";
    }
    return "one";
}

const char* OutcomeName(SubmitOutcome outcome) {
    switch (outcome) {
        case SubmitOutcome::Complete: return "complete";
        case SubmitOutcome::Partial: return "partial";
        case SubmitOutcome::AlreadyGiven: return "given";
        case SubmitOutcome::Wrong: return "wrong";
        case SubmitOutcome::Ignored: break;
    }
    return "ignored";
}

void EmitQuestion(const CQuizRun& run) {
    std::string out = "{\"event\": \"question\", \"text\": " + json::Data(run.GetQuestionText(), false) +
                      ", \"form\": \"" + FormName(run.GetForm()) + "\", \"remaining\": " +
                      std::to_string(run.GetRemainingQuestions());
    if (run.GetForm() == QuizForm::Several)
        out += ", \"remaining_answers\": " + std::to_string(run.GetRemainingAnswers());
    if (run.GetForm() == QuizForm::Choice) {
        out += ", \"choices\": [";
        bool first = true;
        for (int slot = 0; slot < CQuizRun::kSlots; ++slot) {
            if (!run.IsSlotShown(slot)) continue;
            if (!first) out += ", ";
            out += json::Data(run.GetSlotText(slot), false);
            first = false;
        }
        out += "]";
    }
    Emit(out + "}");
}

void EmitEnd(const CQuizRun& run, const QuizEnding& ending) {
    Emit("{\"event\": \"end\", \"n\": " + std::to_string(run.GetQuestionCount()) +
         ", \"right\": " + std::to_string(run.GetRightCount()) + ", \"position\": " + std::to_string(ending.position) +
         ", \"rate\": " + json::Quote(run.GetRateText()) +
         ", \"summary\": " + (ending.summary ? json::Quote(*ending.summary) : std::string("null")) + "}");
}

class CScript {
public:
    CScript(CQuizRun& run, CCliQuizFront& front, bool hintsOn) : run_(run), front_(front), hintsOn_(hintsOn) {}

    int Run() {
        run_.Start();
        EmitQuestion(run_);
        std::string line;
        while (ReadInputLine(line)) {
            const std::size_t blank = line.find(' ');
            const std::string_view command = std::string_view(line).substr(0, blank);
            const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
            if (command == "abort") {
                run_.Stop(RunEnding::Aborted);
                break;
            }
            Dispatch(command, rest);
            AfterCommand();
        }
        run_.Stop(RunEnding::Closed);  // the input ended under way
        return exitCode_;
    }

private:
    void Dispatch(std::string_view command, const std::string& rest) {
        if (command == "answer") {
            if (run_.GetForm() == QuizForm::Choice && Asking())
                return EmitError("this question is answered with choose");
            if (std::optional<std::string> text = LearnerText(rest)) return Submit(*text);
            return EmitError("the answer holds characters that code page 932 cannot hold");
        }
        if (command == "choose") return Choose(rest);
        if (command == "hint") return Hint(rest);
        if (command == "retry") {
            run_.Start();
            return EmitQuestion(run_);
        }
        if (command == "timeout") {
            if (run_.GetActive() != 1) return EmitError("no run is under way");
            run_.TimeOut();  // as the countdown does when the time has run out
            return run_.Finish();
        }
        EmitError("unknown command '" + std::string(command) + "'");
    }

    bool Asking() const { return run_.GetActive() == 1 && run_.GetCurrentQuestion(); }

    void Submit(const std::string& answer) {
        if (!Asking()) return EmitError("no question is being asked");
        const SubmitOutcome outcome = run_.Submit(answer);
        Emit("{\"event\": \"judged\", \"outcome\": \"" + std::string(OutcomeName(outcome)) +
             "\", \"message\": " + json::Data(run_.GetMessageText(), false) +
             ", \"right\": " + std::to_string(run_.GetRightCount()) +
             ", \"remaining\": " + std::to_string(run_.GetRemainingQuestions()) +
             ", \"remaining_answers\": " + std::to_string(run_.GetRemainingAnswers()) +
             ", \"given_answers\": " + json::Data(run_.GetGivenAnswersText(), false) + "}");
        if ((outcome == SubmitOutcome::Complete || outcome == SubmitOutcome::Wrong) && run_.GetActive() == 1)
            EmitQuestion(run_);
    }

    void Choose(const std::string& rest) {
        if (!Asking()) return EmitError("no question is being asked");
        if (run_.GetForm() != QuizForm::Choice) return EmitError("this question is answered with answer");
        if (rest == "-1") return Submit(std::string());  // nothing checked
        if (rest.size() != 1 || rest[0] < '0' || rest[0] > '4') return EmitError("choose takes a slot 0-4 or -1");
        const int slot = rest[0] - '0';
        if (!run_.IsSlotShown(slot)) return EmitError("slot " + rest + " is not shown");
        Submit(run_.GetSlotText(slot));
    }

    void Hint(const std::string& rest) {
        if (!hintsOn_) return EmitError("hints are off");
        if (run_.GetCurrentQuestion() && run_.GetForm() == QuizForm::Choice)
            return EmitError("a choice question has no hint");
        std::optional<std::string> typed = LearnerText(rest);
        if (!typed) return EmitError("the typed text holds characters that code page 932 cannot hold");
        const CQuizRun::HintResult hint = run_.Hint(*typed);
        Emit("{\"event\": \"hint\", \"text\": " + json::Data(hint.text, false) +
             ", \"caret\": " + std::to_string(hint.caret) + "}");
    }

    void AfterCommand() {
        if (std::optional<QuizEnding> ending = front_.TakeEnding()) EmitEnd(run_, *ending);
        if (std::optional<std::string> error = front_.TakeSaveError()) {
            EmitError(*error);
            exitCode_ = 1;
        }
    }

    CQuizRun& run_;
    CCliQuizFront& front_;
    bool hintsOn_;
    int exitCode_ = 0;
};

}  // namespace

int RunQuizScript(CQuizRun& run, CCliQuizFront& front, bool hintsOn) { return CScript(run, front, hintsOn).Run(); }
