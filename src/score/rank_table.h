#pragma once
// The rank file of one word list in memory: rankings per list of genre names, in file order.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "score/rank_list.h"

class CPrompt;

class CRankTable {
public:
    // Records the path and loads the file, telling owner of errors (caption: the program name).
    CRankTable(CPrompt& owner, std::filesystem::path path);

    int Load();
    int Save();  // writes only when modified; the modified flag stays set

    int SelectList(const std::vector<std::string>& names);
    int FindPosition(int questions, int right) const;  // 1-based place, or -1
    int AddResult(int position, const std::string& name, int questions, int right);
    void ClearCurrentList();

    // Every ranking's names joined by ",", and the index of the current one (0 when none).
    std::vector<std::string> GetListTexts(int* currentIndex) const;
    // The current ranking's entries; count -1 when there is none.
    const std::vector<CRankEntry>* GetCurrentEntries(int* count) const;
    CRankList* GetCurrentList() const { return current_; }
    void SetCurrentList(CRankList* list) { current_ = list; }

    const std::filesystem::path& GetPath() const { return path_; }
    const std::vector<std::unique_ptr<CRankList>>& GetLists() const { return lists_; }
    bool IsModified() const { return modified_; }
    void SetOwner(CPrompt& owner) { owner_ = &owner; }

private:
    CPrompt* owner_;
    std::filesystem::path path_;
    std::vector<std::unique_ptr<CRankList>> lists_;
    CRankList* current_ = nullptr;
    bool modified_ = false;
};

// The caption of the rank table's messages: the program file's name without extension.
inline constexpr const char* kProgramName = "pellora";
