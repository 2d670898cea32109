// Reading and writing the rank file: a tag line, then per ranking a names line and its entry
// lines, fields escaped and separated by ",", every line ended by CR LF.
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/c_runtime.h"
#include "platform/line_reader.h"
#include "platform/prompt.h"
#include "score/rank_table.h"
#include "wordlist/fields.h"

namespace {

constexpr std::string_view kFileTag = "_PEL_LORA_RANK_FILE_";
constexpr std::string_view kNamesTag = "PL_JUNRE_NAMES";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = ",";

constexpr const char* kCannotOpen = " : ファイルが開けません。";
constexpr const char* kBadFile = " : 不正なファイルが指定されました。";
constexpr const char* kWriteRefused = " : 書き込みが許可されませんでした。";
constexpr const char* kWriteFailed = " : 書き込み中にエラーが発生しました。";

// The fields of one line, as views valid until the next line is split.
class CLineFields {
public:
    std::span<const std::string_view> Split(std::string_view line) {
        SplitFieldViews(line, kSeparator, scratch_, fields_);
        return fields_;
    }

private:
    std::string scratch_;
    std::vector<std::string_view> fields_;
};

CRankEntry EntryFromFields(std::span<const std::string_view> fields) {
    CRankEntry entry;
    entry.date = fields[0];
    entry.questions = crt::Atoi(fields[1]);
    entry.right = crt::Atoi(fields[2]);
    if (fields.size() > 3) entry.name = fields[3];
    return entry;
}

// Tells the learner of a failed read or write; the text starts with the file's path.
int Complain(CPrompt& owner, const std::filesystem::path& path, const char* message) {
    owner.ShowMessage(path.string() + message, kProgramName, PromptIcon::Exclamation, PromptButtons::Ok);
    return 0;
}

void WriteRanking(CAtomicFileWriter& writer, const CRankList& list) {
    writer.Write(kNamesTag);
    for (const std::string& name : list.GetNames()) {
        writer.Write(',');
        writer.Write(EscapeField(name, kEscapeSet, 0));
    }
    writer.Write(kLineEnd);
    for (const CRankEntry& entry : list.GetEntries()) {
        // Dates the program writes never hold ",\;", so escaping leaves them as they are; a
        // date read from an edited file that does hold one still reads back as one field.
        writer.Write(EscapeField(entry.date, kEscapeSet, 0));
        writer.Write(',');
        writer.Write(std::to_string(entry.questions));
        writer.Write(',');
        writer.Write(std::to_string(entry.right));
        writer.Write(',');
        writer.Write(EscapeField(entry.name, kEscapeSet, 0));
        writer.Write(kLineEnd);
    }
}

}  // namespace

int CRankTable::Load() {
    lists_.clear();
    current_ = nullptr;
    modified_ = false;

    // After any read error the table stays empty, so that nothing half-read is shown or saved.
    auto fail = [this](const char* message) {
        lists_.clear();
        return Complain(*owner_, path_, message);
    };

    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path_, error).type();
    if (type == std::filesystem::file_type::not_found) return 1;
    // Only a regular file can be a rank file: a pipe would block the open and a device such as
    // /dev/zero would never end its first line.
    if (type != std::filesystem::file_type::regular) return fail(kCannotOpen);

    CLineReader reader;
    if (!reader.Open(path_)) return fail(kCannotOpen);

    CLineFields fields;
    std::string_view line;
    if (!reader.ReadLine(line)) return fail(reader.Failed() ? kCannotOpen : kBadFile);
    const std::span<const std::string_view> first = fields.Split(line);
    if (first.empty() || first[0] != kFileTag) return fail(kBadFile);

    CRankList* filling = nullptr;
    int position = 1;
    while (reader.ReadLine(line)) {
        const std::span<const std::string_view> texts = fields.Split(line);
        if (texts.empty()) continue;
        if (texts[0] == kNamesTag) {
            std::vector<std::string> names(texts.begin() + 1, texts.end());
            if (names.empty()) names.emplace_back("ALL");
            lists_.push_back(std::make_unique<CRankList>(std::move(names)));
            filling = lists_.back().get();
            position = 1;
            continue;
        }
        if (!filling || texts.size() < 3) continue;
        filling->Insert(position, EntryFromFields(texts));
        // Every entry line counts, kept or not; past the tenth the count only has to stay
        // beyond the list, so it stops short of overflowing in a file of endless entries.
        if (position < std::numeric_limits<int>::max()) ++position;
    }
    if (reader.Failed()) return fail(kCannotOpen);
    return 1;
}

int CRankTable::Save() {
    if (!modified_) return 1;
    // The old file stays as it was unless the new one was written completely.
    CAtomicFileWriter writer;
    if (!writer.Open(path_)) return Complain(*owner_, path_, kWriteRefused);
    writer.Write(kFileTag);
    writer.Write(kLineEnd);
    for (const auto& list : lists_) {
        if (!list->GetEntries().empty()) WriteRanking(writer, *list);
    }
    if (!writer.Commit()) return Complain(*owner_, path_, kWriteFailed);
    return 1;
}
