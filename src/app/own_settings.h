#pragma once
// Settings of the program's own that "Pellora.ini" does not hold: that file keeps its nine
// lines for other programs that read it. The learning record keeps these in a table of its
// database; a store in memory stands in where no record can be opened, and in tests.
#include <map>
#include <optional>
#include <string>
#include <string_view>

class COwnSettings {
public:
    virtual ~COwnSettings() = default;
    virtual std::optional<std::string> GetSetting(std::string_view key) const = 0;
    // Never fails visibly: a store that cannot write keeps the value for this start only.
    virtual void SetSetting(std::string_view key, std::string_view value) = 0;
};

class CMemoryOwnSettings : public COwnSettings {
public:
    std::optional<std::string> GetSetting(std::string_view key) const override {
        auto found = values_.find(std::string(key));
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void SetSetting(std::string_view key, std::string_view value) override { values_[std::string(key)] = value; }

private:
    std::map<std::string, std::string> values_;
};
