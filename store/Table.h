#pragma once
// In-memory table with typed fields, an optional one-field index and a cursor,
// stored as one SQLite database per file. The curve file, its scratch copy and
// the interface text table all live in tables of this kind.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ampora {

class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FieldType { String, Int };
enum class IndexOrder { None, Ascending, Descending };

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int maxLength = 0;  // characters (UTF-8 code points), strings only
};

// One field value; std::nullopt is the empty (null) field.
struct Cell {
    std::optional<std::string> text;  // String fields
    std::optional<int32_t> number;    // Int fields
    bool isNull() const { return !text && !number; }
};

// Name order used by indexes: Latin before Cyrillic, letters alphabetical
// (Cyrillic Ё right after Е), case-insensitive first, then code points as the
// tie-break, so the order is total and two names compare equal only when
// they are identical. Returns <0, 0, >0.
int CompareNames(std::string_view a, std::string_view b);

// Cuts a UTF-8 string to at most maxChars code points, never inside one.
std::string TruncateUtf8(std::string_view s, int maxChars);

// Removes temporary files that saveToFile(path) left behind when its process
// was killed midway ("<file>.tmp-<pid>" of a process that no longer runs).
void RemoveStaleTempFiles(const std::string& path);

class Table {
public:
    explicit Table(std::vector<FieldDef> fields, int indexField = -1,
                   IndexOrder order = IndexOrder::None);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::vector<FieldDef>& fields() const { return fields_; }
    int fieldIndex(std::string_view name) const;  // -1 when unknown

    void setFileName(std::string path) { fileName_ = std::move(path); }
    const std::string& fileName() const { return fileName_; }

    // Replaces the contents with the file's. Throws TableError when the file is
    // missing, not a regular file, not a database, fails the quick check or lacks the layout; the
    // table is then left as it was.
    void load();
    // An open table with the fields and no records.
    void createEmpty();
    // Writes the whole table to path: a new database in a temporary file
    // beside it, committed in one transaction, then renamed over path, so a
    // crash leaves the previous file intact. A symbolic link is followed: the
    // file it leads to is replaced, in its own folder. A file without write
    // permission is not replaced. Throws TableError on failure.
    // A Scratch file is not flushed to the disk: it is thrown away at the end
    // of the run anyway, and a flush costs a start-up tens of milliseconds on
    // a busy disk.
    enum class Durability { Durable, Scratch };
    void saveToFile(const std::string& path, Durability durability = Durability::Durable) const;

    bool isOpen() const { return open_; }
    int recordCount() const { return static_cast<int>(rows_.size()); }

    void first();
    void next();
    // Past the last record (or empty): next() on the last record sets it and
    // leaves the cursor there.
    bool eof() const;

    // insert/edit start a pending record; setField fills it; post commits it
    // and leaves the cursor on it. cancel drops the pending record. Moving the
    // cursor (first, next, locate, setRecNo) or starting another insert posts a
    // pending record first; remove drops a pending insert (and a pending
    // edit's changes); emptyTable, load and close drop it. Without an index an
    // inserted record goes after the last one, so stored order is insertion
    // order. Text set on an Int field must be a whole number ("" sets null);
    // text longer than the field is cut at a character boundary.
    void insert();
    void edit();  // throws TableError on an empty table
    void setField(int pos, std::string_view text);
    void setField(int pos, int32_t value);
    void setNull(int pos);
    void post();
    void cancel();

    // Exact, case-sensitive match; moves the cursor to the first record in
    // order that matches. Leaves the cursor when nothing matches.
    bool locate(int pos, std::string_view value);
    // Removes the record under the cursor; the cursor moves to the record that
    // followed it, or to the new last one.
    void remove();

    // 1-based position in index order (stored order without index); below 1
    // when the table is empty.
    int recNo() const;
    // Throws TableError and leaves the cursor when n is not 1..recordCount().
    void setRecNo(int n);

    // Values of the record under the cursor (or of the pending record while
    // inserting or editing); with no record every field reads as empty ("").
    // fieldInt throws TableError on an empty field or on text that is not a
    // whole number.
    std::string fieldText(int pos) const;
    int32_t fieldInt(int pos) const;
    bool fieldIsNull(int pos) const;
    std::string fieldText(std::string_view name) const;
    int32_t fieldInt(std::string_view name) const;

    // Random access in index order without moving the cursor (for grids).
    const Cell& cellAt(int row, int pos) const;

    void emptyTable();
    // Writes back to fileName() when set and modified since load/save, then
    // closes and discards the records. Throws TableError when the write-back
    // fails (the table is closed all the same). The destructor closes too but
    // cannot report a failure, so owners that care call close() themselves.
    void close();
    bool modified() const { return modified_; }

    // Bound views: suspended while a loop walks the table.
    void disableControls() { ++suspend_; }
    void enableControls();
    // Called after every change of contents or cursor while not suspended.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    using Record = std::vector<Cell>;
    struct Row {
        Record cells;
        uint64_t seq;  // stored (insertion) order; breaks ties between equal keys
    };
    void requireOpen(const char* what) const;
    void checkPos(int pos) const;
    int compareKeys(const Cell& a, const Cell& b) const;  // index direction applied
    bool rowLess(const Row& a, const Row& b) const;
    int positionFor(const Row& r) const;  // where r goes in index order
    const Record* current() const;        // nullptr when there is no record
    const Cell& currentCell(int pos) const;
    void postPending();  // implicit post before the cursor moves
    void dropPending() {
        pending_ = Pending::None;
        buffer_.clear();
    }
    void notify();

    std::vector<FieldDef> fields_;
    int indexField_;
    IndexOrder order_;
    std::string fileName_;
    bool open_ = false;
    mutable bool modified_ = false;  // saving to fileName() clears it
    // Index order (stored order without index). A deque, because copying a
    // table into one of the opposite order inserts every record at the front.
    std::deque<std::unique_ptr<Row>> rows_;
    uint64_t nextSeq_ = 0;
    int cursor_ = -1;
    bool eof_ = true;
    enum class Pending { None, Insert, Edit } pending_ = Pending::None;
    Record buffer_;
    int suspend_ = 0;
    std::function<void()> observer_;
};

}  // namespace ampora
