#include "exchange/csv_cells.h"

#include <array>

namespace {

// A set of bytes to look for. A table walk: std::string_view::find_first_of looks each byte
// up with a call of its own, which dominates reading a large table.
class CByteSet {
public:
    constexpr explicit CByteSet(std::string_view bytes) {
        for (char byte : bytes) member_[static_cast<unsigned char>(byte)] = true;
    }
    // The first member at or after pos, or the size of text.
    std::size_t FindIn(std::string_view text, std::size_t pos) const {
        while (pos < text.size() && !member_[static_cast<unsigned char>(text[pos])]) ++pos;
        return pos;
    }

private:
    std::array<bool, 256> member_{};
};

constexpr CByteSet kCellEnds(",\"\r\n");   // what ends a cell that is not quoted
constexpr CByteSet kQuotedStops("\"\r\n");  // what a quoted cell must look at

}  // namespace

void AppendCsvCell(std::string& out, std::string_view cell) {
    if (kCellEnds.FindIn(cell, 0) == cell.size()) {
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

void CCsvReader::SkipRow() {
    const std::size_t end = bytes_.find('\n', pos_);
    pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
}

CCsvReader::Result CCsvReader::ReadRow(std::vector<std::string>& cells) {
    if (pos_ >= bytes_.size()) {
        cells.clear();
        return Result::End;
    }
    ++row_;
    const std::size_t size = bytes_.size();
    // The cells' strings are reused from row to row, so that their buffers are too.
    std::size_t column = 0;
    const auto finish = [&cells, &column] {
        cells.resize(column);
        return Result::Row;
    };
    for (;;) {
        if (column == cells.size()) cells.emplace_back();
        std::string& cell = cells[column++];
        cell.clear();
        if (pos_ < size && bytes_[pos_] == '"') {
            ++pos_;
            for (;;) {
                const std::size_t special = kQuotedStops.FindIn(bytes_, pos_);
                if (special == size) return Fail(column, "the quoted cell is not closed");
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
            const std::size_t end = kCellEnds.FindIn(bytes_, pos_);
            if (end < size && bytes_[end] == '"') return Fail(column, "a quote inside a cell that is not quoted");
            cell.append(bytes_.substr(pos_, end - pos_));
            pos_ = end;
        }
        if (pos_ >= size) return finish();
        const char separator = bytes_[pos_++];
        if (separator == ',') continue;
        if (separator == '\r' && pos_ < size && bytes_[pos_] == '\n') ++pos_;
        return finish();
    }
}
