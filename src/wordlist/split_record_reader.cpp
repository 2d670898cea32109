#include "wordlist/split_record_reader.h"

#include <functional>

#include "platform/line_reader.h"
#include "wordlist/fields.h"
#include "wordlist/record_reader.h"

namespace {
// Large enough that handing over costs nothing much, small enough to stay in the cache.
constexpr std::size_t kBatchBytes = 128 * 1024;
constexpr std::size_t kBatchesAhead = 4;

bool Within(std::string_view part, std::string_view whole) {
    const std::less_equal<const char*> notAfter;
    return notAfter(whole.data(), part.data()) && notAfter(part.data() + part.size(), whole.data() + whole.size());
}
}  // namespace

CSplitRecordReader::CSplitRecordReader(CLineReader& file, std::string version)
    : thread_([this, &file, version = std::move(version)] { Read(file, version); }) {}

CSplitRecordReader::~CSplitRecordReader() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void CSplitRecordReader::Read(CLineReader& file, const std::string& version) {
    std::exception_ptr failure;
    try {
        auto batch = std::make_unique<Batch>();
        std::string joined, scratch;
        std::vector<std::string_view> fields;
        std::string_view record;
        bool going = true;
        while (going && ReadRecord(file, version, joined, record)) {
            SplitFieldViews(record, ",", scratch, fields);
            if (fields.empty()) continue;
            // Copied whole, in one piece: most fields lie in it as they stand.
            const std::size_t base = batch->bytes.size();
            batch->bytes.append(record);
            for (std::string_view field : fields) {
                if (Within(field, record)) {
                    batch->fields.push_back({base + static_cast<std::size_t>(field.data() - record.data()), field.size()});
                } else {  // unescaped elsewhere
                    batch->fields.push_back({batch->bytes.size(), field.size()});
                    batch->bytes.append(field);
                }
            }
            batch->sizes.push_back(fields.size());
            if (batch->bytes.size() >= kBatchBytes) going = Hand(batch);
        }
        if (going && !batch->sizes.empty()) Hand(batch);
    } catch (...) {
        failure = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        failure_ = failure;
        ended_ = true;
    }
    changed_.notify_all();
}

bool CSplitRecordReader::Hand(std::unique_ptr<Batch>& batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stop_ || full_.size() < kBatchesAhead; });
    if (stop_) return false;
    std::unique_ptr<Batch> next;
    if (empty_.empty()) {
        next = std::make_unique<Batch>();
    } else {
        next = std::move(empty_.back());
        empty_.pop_back();
    }
    full_.push_back(std::move(batch));
    batch = std::move(next);
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool CSplitRecordReader::TakeBatch() {
    std::unique_lock lock(mutex_);
    if (current_) {
        current_->bytes.clear();
        current_->fields.clear();
        current_->sizes.clear();
        empty_.push_back(std::move(current_));
    }
    changed_.wait(lock, [this] { return !full_.empty() || ended_; });
    if (full_.empty()) {
        if (failure_) std::rethrow_exception(failure_);
        return false;
    }
    current_ = std::move(full_.front());
    full_.pop_front();
    lock.unlock();
    changed_.notify_all();
    record_ = field_ = 0;
    return true;
}

bool CSplitRecordReader::Next(std::span<const std::string_view>& fields) {
    while (!current_ || record_ == current_->sizes.size())
        if (!TakeBatch()) return false;
    fields_.clear();
    for (std::size_t n = current_->sizes[record_++]; n > 0; --n) {
        const Field field = current_->fields[field_++];
        fields_.emplace_back(current_->bytes.data() + field.begin, field.size);
    }
    fields = fields_;
    return true;
}
