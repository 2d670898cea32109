#pragma once
// The learning record: every run and every judged answer, the Leitner state of each question
// and the program's own settings, kept in one SQLite file (Pellora.db in the start-up folder).
// Each answer is committed as it is judged. A record that cannot be written leaves the quiz
// alone: the learner is told once, and the store goes on as one that does not record.
#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/own_settings.h"
#include "quiz/answer_recorder.h"
#include "record/record_clock.h"
#include "record/review_draw.h"
#include "record/record_window_rows.h"

class CPrompt;
class CWordList;

enum class RecordStatus {
    Recording,
    NotRecording,  // the folder or the disk refuses writes: nothing is kept
    NewerVersion,  // a record of a later program: left untouched, nothing is kept
};

struct RunRow {
    std::int64_t id = 0;
    std::time_t started = 0;  // UTC
    std::string day;          // the local date, "2026-12-07"
    std::string wordListFile;
    std::vector<std::string> genres;  // CP932, in list order
    unsigned count = 0;
    bool hint = false;
    bool completeMode = false;
    int timeLimit = 0;
    bool review = false;
    std::optional<RunEnding> ending;  // none for a run that never ended (the program stopped)
    unsigned right = 0;
    double rate = 0;  // right / count * 100
};

struct AnswerRow {
    std::int64_t run = 0;
    RecordedAnswer answer;
};

// Answers of one local day (the day their run started); right includes right after a hint,
// wrong includes time outs.
struct DayTally {
    std::string day;
    unsigned right = 0;
    unsigned wrong = 0;
};

struct QuestionStateRow {
    std::string genre;     // CP932
    std::string question;  // CP932
    int box = 0;
    unsigned right = 0;  // right answers, a hint's included
    unsigned wrong = 0;  // wrong answers and time outs
    std::string last;    // the local date of the last answer
    std::string due;
};

class CRecordStore : public CAnswerRecorder, public COwnSettings {
public:
    static constexpr int kSchemaVersion = 2;

    // Opens the record at path, creating it when missing. Faults are told through prompt at
    // most once for the store's life; prompt and clock must outlive the store.
    CRecordStore(const std::filesystem::path& path, CPrompt& prompt, const CRecordClock& clock = SystemRecordClock());
    ~CRecordStore() override;
    CRecordStore(const CRecordStore&) = delete;
    CRecordStore& operator=(const CRecordStore&) = delete;

    RecordStatus Status() const;
    // Where faults are told from now on (the window that takes a store opened elsewhere).
    void TellThrough(CPrompt& prompt) { prompt_ = &prompt; }
    const CRecordClock& Clock() const { return clock_; }

    void RunStarted(const RecordedRun& run) override;
    void AnswerJudged(const RecordedAnswer& answer) override;
    void RunEnded(RunEnding ending, unsigned rightCount) override;

    std::optional<std::string> GetSetting(std::string_view key) const override;
    void SetSetting(std::string_view key, std::string_view value) override;

    // What a window over the record reads. Each is empty when there is no record to read.
    std::vector<RunRow> Runs() const;  // oldest first
    std::vector<RunRow> RunsOfWordList(std::string_view wordListFile) const;
    std::vector<AnswerRow> AnswersOfRun(std::int64_t run) const;  // in the order given
    std::vector<DayTally> AnswersPerDay(std::chrono::sys_days first, std::chrono::sys_days last) const;
    std::vector<QuestionStateRow> QuestionStates() const;  // by genre, then question
    // The answered questions of a word list (child genres included), in list order.
    std::vector<QuestionStateRow> QuestionStatesOf(const CWordList& list) const;
    // Box and due date of every question, for the review draw: read once, then kept up to date
    // by each answer recorded.
    const CQuestionStates& ReviewStates() const;

    struct Impl;

    // What the record window reads and clears, always of one word list's runs and of the
    // questions answered in them (record_window_queries.cpp).
    // The latest ended runs (finished or timed out), oldest first; with genres, only the runs
    // of exactly that genre set (CP932 names in list order).
    std::vector<ProgressPoint> Progress(std::string_view wordListFile, const std::vector<std::string>* genres,
                                        std::size_t latest) const;
    std::vector<DayTally> AnswersPerDayOf(std::string_view wordListFile, std::chrono::sys_days first,
                                          std::chrono::sys_days last) const;
    // limit 0 reads every row from offset on.
    std::vector<QuestionStateRow> WeakQuestions(std::string_view wordListFile, const WeakQuestionQuery& query,
                                                std::size_t offset, std::size_t limit) const;
    // Forgets the word list's runs and answers, and the state of questions no other word list
    // has answered. False when the record cannot be written.
    bool ClearWordList(std::string_view wordListFile);

private:
    enum class Opening { Opened, Damaged, Refused };
    Opening TryOpen(const std::filesystem::path& path);
    bool SetAside(const std::filesystem::path& path);  // false when it cannot be renamed
    // A write that failed: nothing more is recorded (writes stop here, so this comes once), and
    // the learner hears of it.
    void StopRecording();
    void Tell(const std::string& text);
    template <typename Work>
    void Write(Work work);  // work(Impl&) in one transaction, when recording

    CPrompt* prompt_;
    const CRecordClock& clock_;
    std::filesystem::path path_;
    std::unique_ptr<Impl> impl_;  // null when there is no record to read
    RecordStatus status_ = RecordStatus::NotRecording;
    // Settings written in this start, so that they hold even when they could not be kept.
    std::map<std::string, std::string, std::less<>> settings_;
    mutable std::unique_ptr<CQuestionStates> reviewStates_;
};
