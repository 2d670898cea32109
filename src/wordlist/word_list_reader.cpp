// Reading a word-list file into a CWordList.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_reader.h"
#include "platform/prompt.h"
#include "wordlist/fields.h"
#include "wordlist/file_keywords.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/split_record_reader.h"
#include "wordlist/word_list.h"

namespace {

constexpr std::string_view kUnnamedGenre = "ALL";

void Tell(CPrompt& owner, const std::filesystem::path& path, const char* what, const char* caption) {
    owner.ShowMessage(path.string() + what, caption, PromptIcon::Exclamation, PromptButtons::Ok);
}

// The records of a file after its header, applied one by one to a fresh word list.
class CRecordInterpreter {
public:
    explicit CRecordInterpreter(CWordList& list) : list_(list) {}

    void Apply(std::span<const std::string_view> fields) {
        const std::string_view keyword = fields[0];
        if (keyword == wlfile::kBlock) {
            current_ = NewGenre(fields.size() >= 2 ? fields[1] : kUnnamedGenre);
            last_ = Last::Block;
        } else if (keyword == wlfile::kInclude) {
            inChildren_ = true;
            last_ = Last::Other;
        } else if (keyword == wlfile::kPrimitive) {
            inChildren_ = false;
            last_ = Last::Other;
        } else if (keyword == wlfile::kBlockEnd) {
            current_ = nullptr;
            inChildren_ = false;
            last_ = Last::Other;
        } else if (keyword == wlfile::kInfo) {
            if (fields.size() >= 2 && last_ == Last::Question) lastQuestion_->SetExplanation(fields[1]);
        } else {
            Data(fields);
        }
    }

    // The genre made last gets no more entries (a later genre is made, or the file ends): it
    // keeps no room to spare.
    void EndGenre() {
        if (!made_) return;
        lastSize_ = made_->GetEntries().size();
        made_->FitEntries();
    }

private:
    enum class Last { Other, Block, Question };

    // Genres of a list tend to be of a size, so each is given room for as many entries as the
    // one before had.
    CGenre* NewGenre(std::string_view name) {
        EndGenre();
        made_ = list_.AddGenre(std::make_unique<CGenre>(std::string(name)));
        made_->ReserveEntries(lastSize_);
        return made_;
    }

    void Data(std::span<const std::string_view> fields) {
        if (!current_) current_ = NewGenre(kUnnamedGenre);
        if (inChildren_) {
            const std::string_view name = fields[0];
            // A child that is this genre or already reaches it would close a loop.
            CGenre* existing = list_.FindGenre(name);
            if (!existing) {
                current_->AddChildByName(list_, name);  // pending until the end of the file
            } else if (existing->ExcludesGenre(current_->GetName()) != 0) {
                current_->AddChildGenre(existing);
            }
            return;
        }
        if (fields.size() < 2) return;
        current_->AddQuestion(fields);
        lastQuestion_ = current_->GetEntries().back().GetQuestion();
        last_ = Last::Question;
    }

    CWordList& list_;
    CGenre* made_ = nullptr;  // the genre made last
    std::size_t lastSize_ = 0;
    CGenre* current_ = nullptr;
    CQuestion* lastQuestion_ = nullptr;
    bool inChildren_ = false;
    Last last_ = Last::Other;
};

}  // namespace

int LoadWordList(CPrompt& owner, CWordList& list, const std::filesystem::path& path) {
    CLineReader file;
    if (!file.Open(path)) {
        Tell(owner, path, " : ファイルが開けません。", "Open error");
        return 0;
    }
    const char* const readError = " : 読み込み中にエラーが発生しました。";
    std::string scratch;
    std::vector<std::string_view> fields;
    std::string version;
    std::string_view record;
    if (file.ReadLine(record)) {
        SplitFieldViews(record, ",", scratch, fields);
        if (fields.empty() || fields[0] != wlfile::kMagic) {
            Tell(owner, path, " : 不正なファイルが指定されました。", "不正ファイル");
            return 0;
        }
        if (fields.size() >= 2) version = fields[1];
    }

    // Everything goes into a fresh list, which takes the place of the old one only when the
    // whole file has been read.
    CWordList fresh(CWordList::kGenres);
    CRecordInterpreter interpreter(fresh);
    {
        CSplitRecordReader records(file, version);
        std::span<const std::string_view> split;
        while (records.Next(split)) interpreter.Apply(split);
    }
    interpreter.EndGenre();
    if (file.Failed()) {
        Tell(owner, path, readError, "Open error");
        return 0;
    }
    fresh.ResolveAll();
    list = std::move(fresh);
    return 1;
}
