#include "exchange/csv_cells.h"

#include <algorithm>

void AppendCsvCell(std::string& out, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (std::size_t start = 0;;) {
        const std::size_t quote = cell.find('"', start);
        out += cell.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start);
        if (quote == std::string_view::npos) break;
        out += '"';
        start = quote + 1;
    }
    out += '"';
}

CCsvReader::Result CCsvReader::Fail(std::size_t column, const char* problem) {
    column_ = column;
    problem_ = problem;
    return Result::Malformed;
}

CCsvReader::Result CCsvReader::ReadRow(std::vector<std::string>& cells) {
    cells.clear();
    if (pos_ >= bytes_.size()) return Result::End;
    ++row_;
    const std::size_t size = bytes_.size();
    for (;;) {
        std::string& cell = cells.emplace_back();
        const std::size_t column = cells.size();
        if (pos_ < size && bytes_[pos_] == '"') {
            ++pos_;
            for (;;) {
                const std::size_t special = bytes_.find_first_of("\"\r\n", pos_);
                if (special == std::string_view::npos) return Fail(column, "the quoted cell is not closed");
                cell.append(bytes_.substr(pos_, special - pos_));
                pos_ = special + 1;
                if (bytes_[special] == '"') {
                    if (pos_ < size && bytes_[pos_] == '"') {
                        cell += '"';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                // Every line break inside a cell becomes CR LF.
                if (bytes_[special] == '\r' && pos_ < size && bytes_[pos_] == '\n') ++pos_;
                cell += "\r\n";
            }
            if (pos_ < size && bytes_[pos_] != ',' && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
                return Fail(column, "a quoted cell goes on after its closing quote");
        } else {
            const std::size_t end = std::min(bytes_.find_first_of(",\"\r\n", pos_), size);
            if (end < size && bytes_[end] == '"') return Fail(column, "a quote inside a cell that is not quoted");
            cell.append(bytes_.substr(pos_, end - pos_));
            pos_ = end;
        }
        if (pos_ >= size) return Result::Row;
        const char separator = bytes_[pos_++];
        if (separator == ',') continue;
        if (separator == '\r' && pos_ < size && bytes_[pos_] == '\n') ++pos_;
        return Result::Row;
    }
}
