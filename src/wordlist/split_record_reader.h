#pragma once
// The records of a word-list file after its header, split into fields, read ahead on a thread
// of their own: finding where records end and unescaping their fields takes about a third of
// reading a large list, and is done meanwhile on another processor while this thread builds the
// list. Records are handed over in batches, each copied once out of the reader's buffer.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class CLineReader;

class CSplitRecordReader {
public:
    // Starts reading file, which is read only there from now until the end of the input.
    CSplitRecordReader(CLineReader& file, std::string version);
    ~CSplitRecordReader();  // stops the reading and waits for it
    CSplitRecordReader(const CSplitRecordReader&) = delete;
    CSplitRecordReader& operator=(const CSplitRecordReader&) = delete;

    // The fields of the next record that has any, valid until the next call; false at the end
    // of the input (a failure of the reading thread itself is thrown here).
    bool Next(std::span<const std::string_view>& fields);

private:
    struct Field {
        std::size_t begin, size;  // in bytes
    };
    struct Batch {
        std::string bytes;               // records as read, and the fields that had escapes
        std::vector<Field> fields;
        std::vector<std::size_t> sizes;  // fields per record
    };
    void Read(CLineReader& file, const std::string& version);  // the reading thread
    bool Hand(std::unique_ptr<Batch>& batch);  // false when told to stop
    bool TakeBatch();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> full_;
    std::vector<std::unique_ptr<Batch>> empty_;  // for reuse, so their memory is touched once
    bool stop_ = false;   // told to stop reading
    bool ended_ = false;  // the reading has ended: every batch it made is in full_ or taken
    std::exception_ptr failure_;

    std::unique_ptr<Batch> current_;  // being taken apart here
    std::size_t record_ = 0, field_ = 0;
    std::vector<std::string_view> fields_;
    std::thread thread_;  // last: it starts once the rest is in place
};
