// What the record window reads and clears: one word list's runs, days and questions.
#include <sqlite3.h>

#include <algorithm>

#include "platform/cp932.h"
#include "record/record_names.h"
#include "record/record_store.h"
#include "record/record_store_impl.h"

namespace {

// A run belongs to the word list by its file; a question when a run of the list answered it.
constexpr const char* kAnsweredIn =
    "EXISTS (SELECT 1 FROM answers a CROSS JOIN runs r ON r.id = a.run WHERE a.question = q.id AND r.file = ?1)";

std::int64_t DayNumber(std::chrono::sys_days day) { return day.time_since_epoch().count(); }
std::string DayOf(const CStatement& statement, int column) {
    return DayText(std::chrono::sys_days{std::chrono::days{statement.Int(column)}});
}


char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether text holds needle starting at a character of its own: a two-byte character never
// matches across the border of two others, and ASCII letters match in either case.
bool HoldsCp932(std::string_view text, std::string_view needle) {
    for (std::size_t start = 0; start + needle.size() <= text.size(); start += cp932::CharLength(text, start)) {
        std::size_t at = start, pos = 0;
        while (pos < needle.size() && at < text.size()) {
            const std::size_t length = cp932::CharLength(needle, pos);
            if (cp932::CharLength(text, at) != length) break;
            if (length == 1 ? FoldAscii(text[at]) != FoldAscii(needle[pos])
                            : text.compare(at, 2, needle, pos, 2) != 0)
                break;
            at += length;
            pos += length;
        }
        if (pos == needle.size()) return true;
    }
    return false;
}

void HoldsFunction(sqlite3_context* context, int, sqlite3_value** values) {
    auto bytes = [&](int i) {
        const void* data = sqlite3_value_blob(values[i]);
        const int size = sqlite3_value_bytes(values[i]);
        return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                    : std::string_view();
    };
    sqlite3_result_int(context, HoldsCp932(bytes(0), bytes(1)));
}

std::string OrderBy(const WeakQuestionQuery& query) {
    static constexpr const char* kNames[] = {"genre", "question", "box", "right_count", "wrong_count", "last", "due"};
    const std::string way = query.descending ? " DESC" : "";
    const std::string column = kNames[static_cast<int>(query.column)];
    switch (query.column) {
        case WeakColumn::Box:  // the weakest first: the lowest box, then the most wrong answers
            return "box" + way + ", wrong_count" + (query.descending ? "" : " DESC") + ", genre" + way + ", question" +
                   way;
        case WeakColumn::Question:
            return "question" + way + ", genre" + way;
        default:
            return column + way + (query.column == WeakColumn::Genre ? "" : ", genre" + way) + ", question" + way;
    }
}

}  // namespace

std::vector<ProgressPoint> CRecordStore::Progress(std::string_view wordListFile,
                                                  const std::vector<std::string>* genres, std::size_t latest) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        // A run left half-way has a rate that says nothing of progress.
        CStatement runs(impl.db,
                        "SELECT id, started, count, right_count, rate, review FROM runs "
                        "WHERE file = ?1 AND ended IN (?2, ?3) ORDER BY id DESC");
        runs.BindBlob(1, wordListFile)
            .Bind(2, std::int64_t{EndingCode(RunEnding::Finished)})
            .Bind(3, std::int64_t{EndingCode(RunEnding::TimeOut)});
        CStatement names(impl.db, "SELECT name FROM run_genres WHERE run = ? ORDER BY place");
        auto sameGenres = [&](std::int64_t run) {
            names.Reset();
            names.Bind(1, run);
            std::size_t place = 0;
            bool same = true;
            while (names.Step()) same = same && place < genres->size() && names.View(0) == (*genres)[place++];
            return same && place == genres->size();
        };
        std::vector<ProgressPoint> points;
        while (points.size() < latest && runs.Step()) {
            if (genres && !sameGenres(runs.Int(0))) continue;
            points.push_back({runs.Int(0), static_cast<std::time_t>(runs.Int(1)), static_cast<unsigned>(runs.Int(2)),
                              static_cast<unsigned>(runs.Int(3)), runs.Real(4), runs.Int(5) != 0});
        }
        runs.Reset();
        std::reverse(points.begin(), points.end());
        return points;
    });
}

std::vector<DayTally> CRecordStore::AnswersPerDayOf(std::string_view wordListFile, std::chrono::sys_days first,
                                                    std::chrono::sys_days last) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        // From the days' index outward: the days asked for hold far fewer runs than the list.
        // An answer belongs to the day its run started on.
        CStatement days(impl.db,
                        "SELECT r.day, SUM(a.outcome IN (?4, ?5)), SUM(a.outcome NOT IN (?4, ?5)) "
                        "FROM runs r CROSS JOIN answers a ON a.run = r.id "
                        "WHERE r.day BETWEEN ?2 AND ?3 AND r.file = ?1 GROUP BY r.day ORDER BY r.day");
        days.BindBlob(1, wordListFile)
            .Bind(2, DayNumber(first))
            .Bind(3, DayNumber(last))
            .Bind(4, std::int64_t{OutcomeCode(AnswerOutcome::Right)})
            .Bind(5, std::int64_t{OutcomeCode(AnswerOutcome::RightAfterHint)});
        std::vector<DayTally> tallies;
        while (days.Step())
            tallies.push_back({DayOf(days, 0), static_cast<unsigned>(days.Int(1)), static_cast<unsigned>(days.Int(2))});
        return tallies;
    });
}

std::vector<QuestionStateRow> CRecordStore::WeakQuestions(std::string_view wordListFile,
                                                          const WeakQuestionQuery& query, std::size_t offset,
                                                          std::size_t limit) const {
    return ReadOrEmpty(impl_.get(), status_, [&](Impl& impl) {
        // A list without runs has no questions: the walk below would look at every question.
        CStatement anyRun(impl.db, "SELECT 1 FROM runs WHERE file = ? LIMIT 1");
        anyRun.BindBlob(1, wordListFile);
        if (!anyRun.Step()) return std::vector<QuestionStateRow>();
        anyRun.Reset();
        // Every question kept was answered in some run: when every run is of this list, each
        // question is one of its own and the look at its answers can go (the usual record).
        CStatement otherRun(impl.db, "SELECT 1 FROM runs WHERE file <> ? LIMIT 1");
        otherRun.BindBlob(1, wordListFile);
        const bool othersToo = otherRun.Step();
        otherRun.Reset();
        std::string sql = "SELECT genre, question, box, right_count, wrong_count, last, due FROM questions q WHERE ";
        sql += othersToo ? kAnsweredIn : "1";
        if (!query.filter.empty()) {
            sqlite3_create_function_v2(impl.db.Handle(), "holds_text", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                       HoldsFunction, nullptr, nullptr, nullptr);
            sql += " AND (holds_text(q.genre, ?2) OR holds_text(q.question, ?2))";
        }
        if (query.dueBy) sql += " AND q.due <= ?3";
        sql += " ORDER BY " + OrderBy(query) + " LIMIT ?4 OFFSET ?5";
        CStatement states(impl.db, sql.c_str());
        states.BindBlob(1, wordListFile);
        if (!query.filter.empty()) states.BindBlob(2, query.filter);
        if (query.dueBy) states.Bind(3, DayNumber(*query.dueBy));
        states.Bind(4, limit == 0 ? std::int64_t{-1} : static_cast<std::int64_t>(limit));
        states.Bind(5, static_cast<std::int64_t>(offset));
        std::vector<QuestionStateRow> rows;
        while (states.Step())
            rows.push_back({states.Bytes(0), states.Bytes(1), static_cast<int>(states.Int(2)),
                            static_cast<unsigned>(states.Int(3)), static_cast<unsigned>(states.Int(4)),
                            DayOf(states, 5), DayOf(states, 6)});
        return rows;
    });
}

bool CRecordStore::ClearWordList(std::string_view wordListFile) {
    if (status_ != RecordStatus::Recording) return false;
    try {
        CSqliteDb& db = impl_->db;
        db.Execute("BEGIN IMMEDIATE");
        try {
            // A question another word list answered too keeps its state for that list.
            const std::string forget = std::string("DELETE FROM questions AS q WHERE ") + kAnsweredIn +
                                       " AND NOT EXISTS (SELECT 1 FROM answers a CROSS JOIN runs r ON r.id = a.run "
                                       "WHERE a.question = q.id AND r.file <> ?1)";
            for (const std::string& sql :
                 {forget, std::string("DELETE FROM answers WHERE run IN (SELECT id FROM runs WHERE file = ?1)"),
                  std::string("DELETE FROM run_genres WHERE run IN (SELECT id FROM runs WHERE file = ?1)"),
                  std::string("DELETE FROM runs WHERE file = ?1")}) {
                CStatement statement(db, sql.c_str());
                statement.BindBlob(1, wordListFile).Run();
            }
            db.Execute("COMMIT");
            reviewStates_.reset();  // read again when next drawn: forgotten questions are new again
        } catch (...) {
            db.RollBack();
            throw;
        }
        return true;
    } catch (const std::exception&) {
        StopRecording();
        return false;
    }
}
