#pragma once
// The large word list the benchmarks share: by default 500,000 questions in 5,000 genres that
// nest as a tree (about 50 MB), written once per process and size into a folder of its own.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <stdlib.h>

#include "platform/text_codec.h"

namespace bench {

namespace fs = std::filesystem;

constexpr int kQuestions = 500000;
constexpr int kQuestionsPerGenre = 100;

// Genre i includes genres 2i+1 and 2i+2, which stand later in the file: every child is
// pending while reading and resolved at the end, depth first.
inline std::string LargeList(int questions = kQuestions) {
    const int genres = questions / kQuestionsPerGenre;
    const std::string question = text::ToCp932("次の都道府県の県庁所在地を漢字で答えなさい、問題番号第");
    const std::string answers = text::ToCp932(",2,さいたま市,浦和,大宮\\,与野");
    const std::string explanation = text::ToCp932("PL_INFO,二〇〇一年に三市が合併\\;\r\n一行目の続き;\r\n");
    std::string file = "_PEL_LORA_LIST_FILE_,1.0\r\n";
    file.reserve(static_cast<std::size_t>(questions) * 110);
    for (int g = 0; g < genres; ++g) {
        file += "PL_BLOCK," + text::ToCp932("分野") + std::to_string(g) + ";\r\nPL_PRIMITIVE;\r\n";
        for (int q = 0; q < kQuestionsPerGenre; ++q) {
            file += question + std::to_string(g * kQuestionsPerGenre + q) + answers + ";\r\n";
            if (q % 4 == 0) file += explanation;
        }
        if (2 * g + 1 < genres) {
            file += "PL_INCLUDE;\r\n" + text::ToCp932("分野") + std::to_string(2 * g + 1) + ";\r\n";
            if (2 * g + 2 < genres) file += text::ToCp932("分野") + std::to_string(2 * g + 2) + ";\r\n";
        }
        file += "PL_BLOCK_END;\r\n\r\n";
    }
    return file;
}

// A file written once per process into a folder of its own.
class FileOnDisk {
public:
    explicit FileOnDisk(const std::string& bytes) {
        std::string pattern = (fs::temp_directory_path() / "bench-wordlist-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        std::ofstream(Path(), std::ios::binary) << bytes;
        size_ = bytes.size();
    }
    ~FileOnDisk() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Path() const { return folder_ / "list.wl"; }
    fs::path Folder() const { return folder_; }
    std::size_t Size() const { return size_; }

private:
    fs::path folder_;
    std::size_t size_ = 0;
};

inline const FileOnDisk& Large(int questions = kQuestions) {
    static std::map<int, std::unique_ptr<FileOnDisk>> files;
    auto& file = files[questions];
    if (!file) file = std::make_unique<FileOnDisk>(LargeList(questions));
    return *file;
}

}  // namespace bench
