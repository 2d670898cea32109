// Writing a word list: the file of CWordList::Save and the Write operations of its parts.
#include <string>

#include "platform/atomic_file.h"
#include "platform/prompt.h"
#include "wordlist/file_keywords.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/record_writer.h"
#include "wordlist/word_list.h"

int CWordList::Save(CPrompt& owner, const std::filesystem::path& path) const {
    if (kind_ != kGenres) return 0;
    CAtomicFileWriter file;
    if (!file.Open(path)) {
        owner.ShowMessage(path.string() + " : 書き込みが許可されませんでした。", "Save error", PromptIcon::Exclamation,
                          PromptButtons::Ok);
        return 0;
    }
    file.Write(wlfile::kMagic);
    file.Write(",1.0\r\n");
    for (const auto& genre : genres_) {
        genre->Write(file);
        file.Write("\r\n");
    }
    // The old file is replaced only by a completely written new one.
    if (!file.Commit()) {
        owner.ShowMessage(path.string() + " : 書き込み中にエラーが発生しました。", "Save error", PromptIcon::Exclamation,
                          PromptButtons::Ok);
        return 0;
    }
    return 1;
}

void CGenre::Write(CAtomicFileWriter& file) const {
    std::string record;
    record.reserve(256);
    record += wlfile::kBlock;
    record += ',';
    wlfile::AppendField(record, name_);
    wlfile::WriteRecord(file, record);
    bool inQuestions = false;
    bool inChildren = false;
    for (const CGenreEntry& entry : entries_) {
        if (entry.GetKind() == CGenreEntry::kQuestion && !inQuestions) {
            record += wlfile::kPrimitive;
            wlfile::WriteRecord(file, record);
            inQuestions = true;
            inChildren = false;
        } else if (entry.GetKind() == CGenreEntry::kChild && !inChildren) {
            record += wlfile::kInclude;
            wlfile::WriteRecord(file, record);
            inChildren = true;
            inQuestions = false;
        }
        entry.Write(file, record);
    }
    record += wlfile::kBlockEnd;
    wlfile::WriteRecord(file, record);
}

void CGenreEntry::Write(CAtomicFileWriter& file) const {
    std::string record;
    Write(file, record);
}

void CGenreEntry::Write(CAtomicFileWriter& file, std::string& scratch) const {
    if (kind_ == kQuestion) {
        question_->Write(file, scratch);
    } else if (kind_ == kChild) {
        // A child is stored by name; its genre is written as a block of its own.
        scratch.clear();
        wlfile::AppendField(scratch, child_->GetName());
        wlfile::WriteRecord(file, scratch);
    }
}

void CQuestion::Write(CAtomicFileWriter& file) const {
    std::string record;
    Write(file, record);
}

void CQuestion::Write(CAtomicFileWriter& file, std::string& scratch) const {
    scratch.clear();
    wlfile::AppendField(scratch, Text());
    scratch += ',';
    scratch += std::to_string(required_);
    for (const CAnswer& answer : Answers()) {
        scratch += ',';
        wlfile::AppendField(scratch, answer.GetText());
    }
    wlfile::WriteRecord(file, scratch);
    if (hasExplanation_) {
        scratch += wlfile::kInfo;
        scratch += ',';
        wlfile::AppendField(scratch, Explanation());
        wlfile::WriteRecord(file, scratch);
    }
}
