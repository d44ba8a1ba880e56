#include "store/Table.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <system_error>

namespace ampora {

namespace {

bool ParseInt32(std::string_view s, int32_t& out) {
    const char* begin = s.data();
    const char* end = s.data() + s.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, out);
    return ec == std::errc() && ptr == end && begin != end;
}

}  // namespace

// ---------------------------------------------------------------------------

Table::Table(std::vector<FieldDef> fields, int indexField, IndexOrder order)
    : fields_(std::move(fields)), indexField_(indexField), order_(order) {
    if (fields_.empty()) throw TableError("A table needs at least one field");
    for (size_t k = 0; k < fields_.size(); ++k) {
        if (fields_[k].name.empty()) throw TableError("A table field needs a name");
        for (size_t m = 0; m < k; ++m)
            if (fields_[m].name == fields_[k].name)
                throw TableError("Field \"" + fields_[k].name + "\" is defined twice");
    }
    if (order_ == IndexOrder::None || indexField_ < 0) {
        order_ = IndexOrder::None;
        indexField_ = -1;
    } else if (indexField_ >= static_cast<int>(fields_.size())) {
        throw TableError("Index field " + std::to_string(indexField_) + " does not exist");
    }
}

Table::~Table() {
    observer_ = nullptr;  // views may already be gone
    try {
        close();
    } catch (...) {}
}

int Table::fieldIndex(std::string_view name) const {
    for (size_t k = 0; k < fields_.size(); ++k)
        if (fields_[k].name == name) return static_cast<int>(k);
    return -1;
}

void Table::requireOpen(const char* what) const {
    if (!open_) throw TableError(std::string("Cannot ") + what + ": the table is not open");
}

void Table::checkPos(int pos) const {
    if (pos < 0 || pos >= static_cast<int>(fields_.size()))
        throw TableError("Field position " + std::to_string(pos) + " does not exist");
}

int Table::compareKeys(const Cell& a, const Cell& b) const {
    int c;
    const bool aNull = a.isNull(), bNull = b.isNull();
    if (aNull || bNull) {
        c = aNull == bNull ? 0 : (aNull ? -1 : 1);  // empty keys first
    } else if (fields_[indexField_].type == FieldType::String) {
        c = CompareNames(*a.text, *b.text);
    } else {
        c = *a.number < *b.number ? -1 : (*a.number > *b.number ? 1 : 0);
    }
    return order_ == IndexOrder::Descending ? -c : c;
}

bool Table::rowLess(const Row& a, const Row& b) const {
    if (indexField_ >= 0) {
        const int c = compareKeys(a.cells[indexField_], b.cells[indexField_]);
        if (c != 0) return c < 0;
    }
    return a.seq < b.seq;
}

int Table::positionFor(const Row& r) const {
    if (indexField_ < 0) return recordCount();
    auto it = std::upper_bound(
        rows_.begin(), rows_.end(), &r,
        [this](const Row* x, const std::unique_ptr<Row>& y) { return rowLess(*x, *y); });
    return static_cast<int>(it - rows_.begin());
}

const Table::Record* Table::current() const {
    if (pending_ != Pending::None) return &buffer_;
    if (cursor_ < 0 || cursor_ >= recordCount()) return nullptr;
    return &rows_[cursor_]->cells;
}

const Cell& Table::currentCell(int pos) const {
    static const Cell empty;
    checkPos(pos);
    const Record* r = current();
    return r ? (*r)[pos] : empty;
}

void Table::notify() {
    if (suspend_ == 0 && observer_) observer_();
}

void Table::enableControls() {
    if (suspend_ > 0 && --suspend_ == 0) notify();
}

// ---------------------------------------------------------------------------
// Cursor

void Table::first() {
    postPending();
    cursor_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    notify();
}

void Table::next() {
    postPending();
    if (cursor_ + 1 < recordCount()) {
        ++cursor_;
        eof_ = false;
    } else {
        eof_ = true;  // the cursor stays on the last record
    }
    notify();
}

bool Table::eof() const { return eof_ || rows_.empty(); }

int Table::recNo() const { return rows_.empty() ? -1 : cursor_ + 1; }

void Table::setRecNo(int n) {
    postPending();
    if (n < 1 || n > recordCount())
        throw TableError("Record number " + std::to_string(n) + " is not in 1.." +
                         std::to_string(recordCount()));
    cursor_ = n - 1;
    eof_ = false;
    notify();
}

bool Table::locate(int pos, std::string_view value) {
    checkPos(pos);
    postPending();
    Cell probe;
    if (fields_[pos].type == FieldType::String) {
        probe.text = std::string(value);
    } else {
        int32_t v;
        if (!ParseInt32(value, v)) return false;
        probe.number = v;
    }
    auto matches = [&](const Row& r) {
        const Cell& c = r.cells[pos];
        return probe.text ? (c.text && *c.text == *probe.text)
                          : (c.number && *c.number == *probe.number);
    };
    int found = -1;
    if (pos == indexField_) {
        auto it = std::lower_bound(rows_.begin(), rows_.end(), probe,
                                   [&](const std::unique_ptr<Row>& r, const Cell& key) {
                                       return compareKeys(r->cells[pos], key) < 0;
                                   });
        if (it != rows_.end() && matches(**it)) found = static_cast<int>(it - rows_.begin());
    } else {
        for (int k = 0; k < recordCount(); ++k)
            if (matches(*rows_[k])) {
                found = k;
                break;
            }
    }
    if (found < 0) return false;
    cursor_ = found;
    eof_ = false;
    notify();
    return true;
}

// ---------------------------------------------------------------------------
// Changes

void Table::insert() {
    requireOpen("insert a record");
    postPending();
    buffer_.assign(fields_.size(), Cell{});
    pending_ = Pending::Insert;
}

void Table::edit() {
    requireOpen("edit a record");
    if (pending_ != Pending::None) return;  // already editing
    if (rows_.empty() || cursor_ < 0) throw TableError("Cannot edit: the table has no records");
    buffer_ = rows_[cursor_]->cells;
    pending_ = Pending::Edit;
}

void Table::setField(int pos, std::string_view text) {
    checkPos(pos);
    if (pending_ == Pending::None)
        throw TableError("Cannot set a field: no record is being inserted or edited");
    const FieldDef& f = fields_[pos];
    Cell& c = buffer_[pos];
    if (f.type == FieldType::String) {
        c.text = f.maxLength > 0 ? TruncateUtf8(text, f.maxLength) : std::string(text);
        return;
    }
    if (text.empty()) {
        c.number.reset();
        return;
    }
    int32_t v;
    if (!ParseInt32(text, v))
        throw TableError("\"" + std::string(text) + "\" is not a whole number for field \"" +
                         f.name + "\"");
    c.number = v;
}

void Table::setField(int pos, int32_t value) {
    checkPos(pos);
    if (fields_[pos].type == FieldType::String) {
        setField(pos, std::string_view(std::to_string(value)));
        return;
    }
    if (pending_ == Pending::None)
        throw TableError("Cannot set a field: no record is being inserted or edited");
    buffer_[pos].number = value;
}

void Table::setNull(int pos) {
    checkPos(pos);
    if (pending_ == Pending::None)
        throw TableError("Cannot set a field: no record is being inserted or edited");
    buffer_[pos] = Cell{};
}

void Table::postPending() {
    if (pending_ != Pending::None) post();
}

void Table::post() {
    if (pending_ == Pending::None) return;
    std::unique_ptr<Row> row;
    if (pending_ == Pending::Insert) {
        row = std::make_unique<Row>();
        row->seq = nextSeq_++;
    } else {
        row = std::move(rows_[cursor_]);
        rows_.erase(rows_.begin() + cursor_);
    }
    row->cells = std::move(buffer_);
    dropPending();
    const int at = positionFor(*row);
    rows_.insert(rows_.begin() + at, std::move(row));
    cursor_ = at;
    eof_ = false;
    modified_ = true;
    notify();
}

void Table::cancel() { dropPending(); }

void Table::remove() {
    requireOpen("delete a record");
    if (pending_ == Pending::Insert) {
        dropPending();
        return;
    }
    dropPending();
    if (rows_.empty() || cursor_ < 0) throw TableError("Cannot delete: the table has no records");
    rows_.erase(rows_.begin() + cursor_);
    if (cursor_ >= recordCount()) cursor_ = recordCount() - 1;
    eof_ = rows_.empty();
    modified_ = true;
    notify();
}

void Table::emptyTable() {
    requireOpen("empty the table");
    dropPending();
    if (!rows_.empty()) modified_ = true;
    rows_.clear();
    nextSeq_ = 0;
    cursor_ = -1;
    eof_ = true;
    notify();
}

// ---------------------------------------------------------------------------
// Reading

std::string Table::fieldText(int pos) const {
    const Cell& c = currentCell(pos);
    if (c.text) return *c.text;
    if (c.number) return std::to_string(*c.number);
    return {};
}

int32_t Table::fieldInt(int pos) const {
    const Cell& c = currentCell(pos);
    if (c.number) return *c.number;
    int32_t v;
    if (c.text && ParseInt32(*c.text, v)) return v;
    if (c.isNull()) throw TableError("Field \"" + fields_[pos].name + "\" is empty, not a number");
    throw TableError("Field \"" + fields_[pos].name + "\" holds \"" + *c.text + "\", not a number");
}

bool Table::fieldIsNull(int pos) const { return currentCell(pos).isNull(); }

std::string Table::fieldText(std::string_view name) const {
    const int pos = fieldIndex(name);
    if (pos < 0) throw TableError("No field \"" + std::string(name) + "\"");
    return fieldText(pos);
}

int32_t Table::fieldInt(std::string_view name) const {
    const int pos = fieldIndex(name);
    if (pos < 0) throw TableError("No field \"" + std::string(name) + "\"");
    return fieldInt(pos);
}

const Cell& Table::cellAt(int row, int pos) const {
    checkPos(pos);
    if (row < 0 || row >= recordCount())
        throw TableError("Record " + std::to_string(row + 1) + " is not in 1.." +
                         std::to_string(recordCount()));
    return rows_[row]->cells[pos];
}

}  // namespace ampora
