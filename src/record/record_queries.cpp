// What the store reads back: runs, answers, days and the questions' state.
#include <unordered_map>

#include "record/record_names.h"
#include "record/record_store.h"
#include "record/record_store_impl.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

constexpr const char* kRunColumns =
    "SELECT id, started, day, file, count, hint, complete, time_limit, review, ended, right_count, rate FROM runs ";

std::vector<RunRow> ReadRuns(CSqliteDb& db, CStatement& runs) {
    std::vector<RunRow> rows;
    while (runs.Step()) {
        RunRow row;
        row.id = runs.Int(0);
        row.started = static_cast<std::time_t>(runs.Int(1));
        row.day = DayText(std::chrono::sys_days{std::chrono::days{runs.Int(2)}});
        row.wordListFile = runs.Bytes(3);
        row.count = static_cast<unsigned>(runs.Int(4));
        row.hint = runs.Int(5) != 0;
        row.completeMode = runs.Int(6) != 0;
        row.timeLimit = static_cast<int>(runs.Int(7));
        row.review = runs.Int(8) != 0;
        if (!runs.IsNull(9)) row.ending = EndingOfCode(static_cast<int>(runs.Int(9)));
        row.right = static_cast<unsigned>(runs.Int(10));
        row.rate = runs.Real(11);
        rows.push_back(std::move(row));
    }
    CStatement genres(db, "SELECT name FROM run_genres WHERE run = ? ORDER BY place");
    for (RunRow& row : rows) {
        genres.Reset();
        genres.Bind(1, row.id);
        while (genres.Step()) row.genres.push_back(genres.Bytes(0));
    }
    return rows;
}

std::chrono::sys_days Day(const CStatement& statement, int column) {
    return std::chrono::sys_days{std::chrono::days{statement.Int(column)}};
}

QuestionStateRow ReadState(const CStatement& state) {
    return {state.Bytes(0),
            state.Bytes(1),
            static_cast<int>(state.Int(2)),
            static_cast<unsigned>(state.Int(3)),
            static_cast<unsigned>(state.Int(4)),
            DayText(Day(state, 5)),
            DayText(Day(state, 6))};
}

constexpr const char* kStateColumns = "SELECT genre, question, box, right_count, wrong_count, last, due FROM questions ";


}  // namespace

std::vector<RunRow> CRecordStore::Runs() const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement runs(impl.db, (std::string(kRunColumns) + "ORDER BY id").c_str());
        return ReadRuns(impl.db, runs);
    });
}

std::vector<RunRow> CRecordStore::RunsOfWordList(std::string_view wordListFile) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement runs(impl.db, (std::string(kRunColumns) + "WHERE file = ? ORDER BY id").c_str());
        runs.BindBlob(1, wordListFile);
        return ReadRuns(impl.db, runs);
    });
}

std::vector<AnswerRow> CRecordStore::AnswersOfRun(std::int64_t run) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement answers(impl.db,
                           "SELECT a.place, q.genre, q.question, a.form, a.outcome, a.given, a.ms FROM answers a "
                           "JOIN questions q ON q.id = a.question WHERE a.run = ? ORDER BY a.seq");
        answers.Bind(1, run);
        std::vector<AnswerRow> rows;
        while (answers.Step()) {
            AnswerRow row{run, {}};
            row.answer.place = static_cast<int>(answers.Int(0));
            row.answer.genre = answers.Bytes(1);
            row.answer.question = answers.Bytes(2);
            row.answer.form = FormOfCode(static_cast<int>(answers.Int(3)));
            row.answer.outcome = OutcomeOfCode(static_cast<int>(answers.Int(4)));
            row.answer.given = answers.Bytes(5);
            row.answer.milliseconds = answers.Int(6);
            rows.push_back(std::move(row));
        }
        return rows;
    });
}

std::vector<DayTally> CRecordStore::AnswersPerDay(std::chrono::sys_days first, std::chrono::sys_days last) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement days(impl.db,
                        "SELECT r.day, SUM(a.outcome IN (?3, ?4)), SUM(a.outcome NOT IN (?3, ?4)) FROM runs r "
                        "JOIN answers a ON a.run = r.id WHERE r.day BETWEEN ?1 AND ?2 GROUP BY r.day ORDER BY r.day");
        days.Bind(1, std::int64_t{first.time_since_epoch().count()})
            .Bind(2, std::int64_t{last.time_since_epoch().count()})
            .Bind(3, std::int64_t{OutcomeCode(AnswerOutcome::Right)})
            .Bind(4, std::int64_t{OutcomeCode(AnswerOutcome::RightAfterHint)});
        std::vector<DayTally> tallies;
        while (days.Step())
            tallies.push_back({DayText(Day(days, 0)), static_cast<unsigned>(days.Int(1)), static_cast<unsigned>(days.Int(2))});
        return tallies;
    });
}

std::vector<QuestionStateRow> CRecordStore::QuestionStates() const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement states(impl.db, (std::string(kStateColumns) + "ORDER BY genre, question").c_str());
        std::vector<QuestionStateRow> rows;
        while (states.Step()) rows.push_back(ReadState(states));
        return rows;
    });
}

std::vector<QuestionStateRow> CRecordStore::QuestionStatesOf(const CWordList& list) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        // One pass over the table beats a lookup per question of a large list.
        std::unordered_map<std::string, QuestionStateRow> known;
        CStatement states(impl.db, kStateColumns);
        while (states.Step()) {
            QuestionStateRow row = ReadState(states);
            std::string key = std::to_string(row.genre.size()) + ':' + row.genre + row.question;
            known.emplace(std::move(key), std::move(row));
        }
        std::vector<QuestionStateRow> rows;
        std::string key;
        for (const auto& genre : list.GetGenres()) {
            for (const CGenreEntry& entry : genre->GetEntries()) {
                const CQuestion* question = entry.GetQuestion();
                if (!question) continue;
                key = std::to_string(genre->GetName().size()) + ':';
                key.append(genre->GetName()).append(question->PeekText());
                if (auto found = known.find(key); found != known.end()) rows.push_back(found->second);
            }
        }
        return rows;
    });
}

const CQuestionStates& CRecordStore::ReviewStates() const {
    if (reviewStates_) return *reviewStates_;
    reviewStates_ = std::make_unique<CQuestionStates>(ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        CStatement count(impl.db, "SELECT COUNT(*), SUM(LENGTH(genre) + LENGTH(question)) FROM questions");
        CQuestionStates loaded;
        if (count.Step()) loaded.Reserve(static_cast<std::size_t>(count.Int(0)), static_cast<std::size_t>(count.Int(1)));
        count.Reset();
        CStatement states(impl.db, "SELECT genre, question, box, due FROM questions");
        while (states.Step()) loaded.Add(states.View(0), states.View(1), {static_cast<int>(states.Int(2)), Day(states, 3)});
        return loaded;
    }));
    return *reviewStates_;
}
