#include "record/record_store.h"

#include <sqlite3.h>

#include <ctime>
#include <system_error>

#include "platform/prompt.h"
#include "record/leitner.h"
#include "record/record_names.h"
#include "record/record_schema.h"
#include "record/record_store_impl.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = "学習記録";

bool IsDamage(const CSqliteError& error) {
    return error.PrimaryCode() == SQLITE_NOTADB || error.PrimaryCode() == SQLITE_CORRUPT;
}

std::string SingleText(CSqliteDb& db, const char* sql) {
    CStatement statement(db, sql);
    std::string text = statement.Step() ? statement.Bytes(0) : std::string();
    statement.Reset();
    return text;
}

int UserVersion(CSqliteDb& db) {
    CStatement read(db, "PRAGMA user_version");
    const int version = read.Step() ? static_cast<int>(read.Int(0)) : 0;
    read.Reset();
    return version;
}

// A name beside path that no file has yet: Pellora.db.damaged-20261207-093000, then -2, -3...
fs::path DamagedName(const fs::path& path, const std::tm& local) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, ".damaged-%Y%m%d-%H%M%S", &local);
    fs::path name = path;
    name += stamp;
    std::error_code error;
    for (int n = 2; fs::exists(fs::symlink_status(name, error)); ++n) {
        name = path;
        name += stamp + ("-" + std::to_string(n));
    }
    return name;
}

}  // namespace

CRecordStore::CRecordStore(const fs::path& path, CPrompt& prompt, const CRecordClock& clock)
    : prompt_(&prompt), clock_(clock), path_(path) {
    // A damaged file is kept under another name and a new record begins in its place.
    if (TryOpen(path) == Opening::Damaged && SetAside(path)) TryOpen(path);
    if (status_ == RecordStatus::NotRecording) StopRecording();
}

CRecordStore::~CRecordStore() = default;

RecordStatus CRecordStore::Status() const { return status_; }

CRecordStore::Opening CRecordStore::TryOpen(const fs::path& path) {
    impl_.reset();
    status_ = RecordStatus::NotRecording;
    try {
        std::error_code error;
        if (fs::exists(path, error)) {
            // Looked at without writing, so that neither a damaged record and its journal nor a
            // later program's record is changed by the look.
            CSqliteDb check(path, CSqliteDb::Access::Check);
            if (UserVersion(check) > kSchemaVersion) {
                status_ = RecordStatus::NewerVersion;
                Tell(path.string() + "\r\nこの学習記録は新しい版のプログラムで作られています。"
                                     "ファイルはそのまま残し、解答は記録しません。");
                return Opening::Refused;
            }
            if (SingleText(check, "PRAGMA quick_check") != "ok") return Opening::Damaged;
        }
        // Readable from here on, even where it cannot be written.
        impl_ = std::make_unique<Impl>(path);
        CSqliteDb& db = impl_->db;
        // Where the file system has no WAL, the record is kept in the older way, slower.
        SingleText(db, "PRAGMA journal_mode=WAL");
        db.Execute("PRAGMA synchronous=NORMAL");
        // Taking the write lock proves the folder writable before the first answer comes.
        db.Execute("BEGIN IMMEDIATE");
        const int version = UserVersion(db);
        for (int step = version; step < kSchemaVersion; ++step) db.Execute(kMigrations[static_cast<std::size_t>(step)]);
        if (version < kSchemaVersion) db.Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
        db.Execute("COMMIT");
        status_ = RecordStatus::Recording;
        return Opening::Opened;
    } catch (const CSqliteError& error) {
        if (impl_) impl_->db.RollBack();
        if (!IsDamage(error)) return Opening::Refused;
        impl_.reset();
        return Opening::Damaged;
    } catch (const std::exception&) {
        return Opening::Refused;
    }
}

bool CRecordStore::SetAside(const fs::path& path) {
    const fs::path aside = DamagedName(path, clock_.LocalTime());
    std::error_code error;
    fs::rename(path, aside, error);
    if (error) return false;  // the folder refuses changes: told as a record that cannot be written
    // A journal left beside the damaged file belongs to it, not to the new record.
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        fs::path from = path, to = aside;
        from += suffix;
        to += suffix;
        if (fs::exists(from, error)) fs::rename(from, to, error);
    }
    Tell(path.string() + "\r\nこのファイルは学習記録として読めません。" + aside.filename().string() +
         " という名前で残し、新しい記録を始めます。");
    return true;
}

void CRecordStore::StopRecording() {
    status_ = RecordStatus::NotRecording;
    if (impl_) impl_->run = 0;
    Tell(path_.string() + "\r\n学習記録を書き込めません。出題はこれまでどおり続けますが、解答は記録されません。");
}

void CRecordStore::Tell(const std::string& text) {
    prompt_->ShowMessage(text, kCaption, PromptIcon::Exclamation, PromptButtons::Ok);
}

template <typename Work>
void CRecordStore::Write(Work work) {
    if (status_ != RecordStatus::Recording) return;
    try {
        impl_->db.Execute("BEGIN IMMEDIATE");
        try {
            work(*impl_);
            impl_->db.Execute("COMMIT");
        } catch (...) {
            impl_->db.RollBack();
            throw;
        }
    } catch (const std::exception&) {
        StopRecording();
    }
}

void CRecordStore::RunStarted(const RecordedRun& run) {
    Write([&](Impl& impl) {
        impl.Cached(impl.insertRun,
                    "INSERT INTO runs(started, day, file, count, hint, complete, time_limit, review) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
            .Bind(1, std::int64_t{clock_.Now()})
            .Bind(2, std::int64_t{clock_.Today().time_since_epoch().count()})
            .BindBlob(3, run.wordListFile)
            .Bind(4, std::int64_t{run.count})
            .Bind(5, std::int64_t{run.hint})
            .Bind(6, std::int64_t{run.completeMode})
            .Bind(7, std::int64_t{run.timeLimit})
            .Bind(8, std::int64_t{run.review})
            .Run();
        const std::int64_t id = impl.db.LastInsertId();
        CStatement& genre = impl.Cached(impl.insertGenre, "INSERT INTO run_genres(run, place, name) VALUES(?, ?, ?)");
        for (std::size_t place = 0; place < run.genres.size(); ++place) {
            genre.Reset();
            genre.Bind(1, id).Bind(2, static_cast<std::int64_t>(place)).BindBlob(3, run.genres[place]).Run();
        }
        impl.run = id;
        impl.answers = 0;
    });
}

void CRecordStore::AnswerJudged(const RecordedAnswer& answer) {
    if (!impl_ || impl_->run == 0) return;
    Write([&](Impl& impl) {
        const std::int64_t today = clock_.Today().time_since_epoch().count();
        CStatement& find = impl.Cached(impl.findQuestion, "SELECT id, box FROM questions WHERE genre = ? AND question = ?");
        find.BindBlob(1, answer.genre).BindBlob(2, answer.question);
        const bool known = find.Step();
        std::int64_t id = known ? find.Int(0) : 0;
        const int box = known ? static_cast<int>(find.Int(1)) : 0;
        find.Reset();

        const LeitnerState next = NextLeitnerState(box, answer.outcome, clock_.Today());
        const bool right = answer.outcome == AnswerOutcome::Right || answer.outcome == AnswerOutcome::RightAfterHint;
        CStatement& state =
            known ? impl.Cached(impl.updateQuestion,
                                "UPDATE questions SET box = ?1, right_count = right_count + ?2, "
                                "wrong_count = wrong_count + ?3, last = ?4, due = ?5 WHERE id = ?6")
                  : impl.Cached(impl.insertQuestion,
                                "INSERT INTO questions(box, right_count, wrong_count, last, due, genre, question) "
                                "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        state.Bind(1, std::int64_t{next.box})
            .Bind(2, std::int64_t{right})
            .Bind(3, std::int64_t{!right})
            .Bind(4, today)
            .Bind(5, std::int64_t{next.due.time_since_epoch().count()});
        if (known) {
            state.Bind(6, id).Run();
        } else {
            state.BindBlob(6, answer.genre).BindBlob(7, answer.question).Run();
            id = impl.db.LastInsertId();
        }

        impl.Cached(impl.insertAnswer,
                    "INSERT INTO answers(run, seq, place, question, form, outcome, given, ms) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
            .Bind(1, impl.run)
            .Bind(2, impl.answers + 1)
            .Bind(3, std::int64_t{answer.place})
            .Bind(4, id)
            .Bind(5, std::int64_t{FormCode(answer.form)})
            .Bind(6, std::int64_t{OutcomeCode(answer.outcome)})
            .BindBlob(7, answer.given)
            .Bind(8, answer.milliseconds)
            .Run();
    });
    // Counted once the answer is kept, so that a failed write leaves no gap.
    if (status_ != RecordStatus::Recording) return;
    ++impl_->answers;
    if (reviewStates_) {
        const CQuestionStates::State* known = reviewStates_->Find(answer.genre, answer.question);
        const LeitnerState next = NextLeitnerState(known ? known->box : 0, answer.outcome, clock_.Today());
        reviewStates_->Add(answer.genre, answer.question, {next.box, next.due});
    }
}

void CRecordStore::RunEnded(RunEnding ending, unsigned rightCount) {
    if (!impl_ || impl_->run == 0) return;
    Write([&](Impl& impl) {
        impl.Cached(impl.endRun,
                    "UPDATE runs SET ended = ?, right_count = ?, "
                    "rate = CASE WHEN count > 0 THEN ? * 100.0 / count ELSE 0 END WHERE id = ?")
            .Bind(1, std::int64_t{EndingCode(ending)})
            .Bind(2, std::int64_t{rightCount})
            .Bind(3, std::int64_t{rightCount})
            .Bind(4, impl.run)
            .Run();
        impl.run = 0;
    });
}

std::optional<std::string> CRecordStore::GetSetting(std::string_view key) const {
    if (auto kept = settings_.find(key); kept != settings_.end()) return kept->second;
    if (!impl_ || status_ == RecordStatus::NewerVersion) return std::nullopt;
    try {
        CStatement& read = impl_->Cached(impl_->readSetting, "SELECT value FROM settings WHERE key = ?");
        read.BindText(1, key);
        std::optional<std::string> value;
        if (read.Step()) value = read.Bytes(0);
        read.Reset();
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void CRecordStore::SetSetting(std::string_view key, std::string_view value) {
    settings_.insert_or_assign(std::string(key), std::string(value));
    Write([&](Impl& impl) {
        impl.Cached(impl.writeSetting, "INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)")
            .BindText(1, key)
            .BindBlob(2, value)
            .Run();
    });
}
