#include "store/Table.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "store/SafeFile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace ampora {

namespace {

// ---------------------------------------------------------------------------
// Name collation

constexpr uint32_t ClassOther = 0, ClassLatin = 1, ClassCyrillic = 2, ClassForeign = 3;

// Decodes one code point; an invalid or truncated sequence yields one byte
// mapped above the Unicode range, so it still orders consistently.
uint32_t DecodeUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    uint32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    }
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0x110000 + b0;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0x110000 + b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += len;
    return cp;
}

// Cyrillic lower-case letters in alphabetical order; Belarusian and Ukrainian
// letters sit beside their nearest Russian neighbours.
constexpr char32_t CyrillicOrder[] = U"абвгґдеёєжзиіїйклмнопрстуўфхцчшщъыьэюя";

// Rank of each lower-case letter U+0430..U+049F; letters not in the list come
// after я in code point order.
constexpr std::array<uint8_t, 0x70> MakeCyrillicRanks() {
    std::array<uint8_t, 0x70> ranks{};
    for (size_t k = 0; k < ranks.size(); ++k) ranks[k] = static_cast<uint8_t>(64 + k);
    for (size_t k = 0; k + 1 < std::size(CyrillicOrder); ++k) ranks[CyrillicOrder[k] - 0x430] = static_cast<uint8_t>(k);
    return ranks;
}
constexpr std::array<uint8_t, 0x70> CyrillicRanks = MakeCyrillicRanks();

// Case-insensitive primary weight: class in the top byte, rank below.
uint32_t PrimaryWeight(uint32_t cp) {
    if (cp < 0x80) {
        if (cp >= 'a' && cp <= 'z') return (ClassLatin << 24) | (cp - 'a');
        if (cp >= 'A' && cp <= 'Z') return (ClassLatin << 24) | (cp - 'A');
        return (ClassOther << 24) | cp;
    }
    if (cp >= 0x400 && cp <= 0x4FF) {
        uint32_t lower = cp;
        if (cp >= 0x410 && cp <= 0x42F)
            lower = cp + 0x20;
        else if (cp <= 0x40F)
            lower = cp + 0x50;
        else if (cp >= 0x460 && (cp & 1) == 0)
            lower = cp + 1;  // the later blocks pair upper/lower by parity
        if (lower >= 0x430 && lower < 0x430 + CyrillicRanks.size())
            return (ClassCyrillic << 24) | CyrillicRanks[lower - 0x430];
        return (ClassCyrillic << 24) | (0x100 + lower);
    }
    return (ClassForeign << 24) | cp;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// ---------------------------------------------------------------------------
// SQLite helpers

std::string QuoteIdent(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

const char* SqlType(FieldType t) { return t == FieldType::String ? "TEXT" : "INTEGER"; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr int FormatVersion = 1;

class Db {
public:
    Db(const std::string& path, int flags, const std::string& context) : context_(context) {
        const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            db_ = nullptr;
            throw TableError(context_ + ": " + msg);
        }
        sqlite3_extended_result_codes(db_, 1);
    }
    ~Db() {
        if (db_) sqlite3_close(db_);
    }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    sqlite3* get() const { return db_; }
    [[noreturn]] void fail(const std::string& what) const {
        throw TableError(context_ + ": " + what + " (" + sqlite3_errmsg(db_) + ")");
    }
    void exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(sql);
    }
    // Closes explicitly so that a failure to finish writing is seen.
    void close() {
        sqlite3* db = db_;
        db_ = nullptr;
        if (sqlite3_close(db) != SQLITE_OK) throw TableError(context_ + ": cannot close the database");
    }
    const std::string& context() const { return context_; }

private:
    sqlite3* db_ = nullptr;
    std::string context_;
};

class Stmt {
public:
    Stmt(Db& db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
            db.fail("cannot prepare \"" + sql + "\"");
    }
    ~Stmt() { sqlite3_finalize(stmt_); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    // true while a row is available
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        db_.fail("cannot read or write a row");
    }
    void reset() { sqlite3_reset(stmt_); }
    sqlite3_stmt* get() const { return stmt_; }
    std::string text(int col) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, col))) : std::string();
    }

private:
    Db& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

std::string TempPathFor(const std::string& path) {
#ifdef _WIN32
    const long pid = _getpid();
#else
    const long pid = static_cast<long>(getpid());
#endif
    return path + ".tmp-" + std::to_string(pid);
}

// Flushes a file's data to the disk; returns false on failure.
bool SyncFile(const std::string& path, bool directory) {
#ifdef _WIN32
    if (directory) return true;  // directories cannot be flushed there
    const int fd = _open(path.c_str(), _O_RDWR | _O_BINARY);
    if (fd < 0) return false;
    const bool ok = _commit(fd) == 0;
    _close(fd);
    return ok;
#else
    const int fd = ::open(path.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#endif
}

bool ParseInt32(std::string_view s, int32_t& out) {
    const char* begin = s.data();
    const char* end = s.data() + s.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, out);
    return ec == std::errc() && ptr == end && begin != end;
}

}  // namespace

// ---------------------------------------------------------------------------

int CompareNames(std::string_view a, std::string_view b) {
    // Identical leading characters weigh the same: start at the character in
    // which the two first differ.
    size_t start = 0;
    const size_t common = std::min(a.size(), b.size());
    while (start < common && a[start] == b[start]) ++start;
    auto inside = [](std::string_view s, size_t p) { return p < s.size() && IsContinuation(s[p]); };
    while (start > 0 && (inside(a, start) || inside(b, start))) --start;
    size_t i = start, j = start;
    while (i < a.size() && j < b.size()) {
        const uint32_t wa = PrimaryWeight(DecodeUtf8(a, i));
        const uint32_t wb = PrimaryWeight(DecodeUtf8(b, j));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    // Same letters ignoring case: code point order decides (byte order of
    // UTF-8 is code point order), so only identical names compare equal.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string TruncateUtf8(std::string_view s, int maxChars) {
    if (maxChars <= 0) return {};
    int chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && IsContinuation(s[i])) continue;
        if (chars == maxChars) return std::string(s.substr(0, i));
        ++chars;
    }
    return std::string(s);
}

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
    } catch (...) {
    }
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
    auto it = std::upper_bound(rows_.begin(), rows_.end(), &r,
                               [this](const Row* x, const std::unique_ptr<Row>& y) {
                                   return rowLess(*x, *y);
                               });
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
// Files

void Table::load() {
    if (fileName_.empty()) throw TableError("Cannot load a table: no file is set");
    const std::string context = "Cannot read table file '" + fileName_ + "'";
    std::error_code ec;
    const auto status = fs::status(fileName_, ec);
    if (!fs::exists(status)) throw TableError(context + ": the file does not exist");
    if (fs::is_directory(status)) throw TableError(context + ": it is a folder");
    // Opening a pipe or a device would wait for a writer that never comes.
    if (!fs::is_regular_file(status)) throw TableError(context + ": it is not a regular file");

    std::deque<std::unique_ptr<Row>> rows;
    {
        Db db(fileName_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, context);
        {
            Stmt check(db, "PRAGMA quick_check");
            if (!check.step() || check.text(0) != "ok")
                throw TableError(context + ": the database is damaged");
        }
        {
            Stmt version(db, "PRAGMA user_version");
            if (!version.step()) db.fail("no format version");
            const auto v = sqlite3_column_int64(version.get(), 0);
            if (v > FormatVersion)
                throw TableError(context + ": written in a newer format (version " + std::to_string(v) + ")");
        }
        {
            Stmt info(db, "PRAGMA table_info(\"records\")");
            size_t col = 0;
            while (info.step()) {
                if (col >= fields_.size())
                    throw TableError(context + ": unexpected column \"" + info.text(1) + "\"");
                if (info.text(1) != fields_[col].name || !EqualsNoCase(info.text(2), SqlType(fields_[col].type)))
                    throw TableError(context + ": column " + std::to_string(col + 1) + " is \"" + info.text(1) +
                                     "\" " + info.text(2) + ", expected \"" + fields_[col].name + "\" " +
                                     SqlType(fields_[col].type));
                ++col;
            }
            if (col == 0) throw TableError(context + ": it holds no table \"records\"");
            if (col != fields_.size())
                throw TableError(context + ": column \"" + fields_[col].name + "\" is missing");
        }
        std::string sql = "SELECT ";
        for (size_t k = 0; k < fields_.size(); ++k) sql += (k ? "," : "") + QuoteIdent(fields_[k].name);
        sql += " FROM \"records\" ORDER BY rowid";
        Stmt select(db, sql);
        const int n = static_cast<int>(fields_.size());
        while (select.step()) {
            auto row = std::make_unique<Row>();
            row->seq = rows.size();
            row->cells.resize(n);
            for (int k = 0; k < n; ++k) {
                const int type = sqlite3_column_type(select.get(), k);
                if (type == SQLITE_NULL) continue;
                Cell& cell = row->cells[k];
                if (fields_[k].type == FieldType::String) {
                    if (type != SQLITE_TEXT)
                        throw TableError(context + ": record " + std::to_string(rows.size() + 1) + " holds a non-text \"" +
                                         fields_[k].name + "\"");
                    std::string text = select.text(k);
                    cell.text = fields_[k].maxLength > 0 ? TruncateUtf8(text, fields_[k].maxLength) : std::move(text);
                } else {
                    const sqlite3_int64 v = sqlite3_column_int64(select.get(), k);
                    if (type != SQLITE_INTEGER || v < INT32_MIN || v > INT32_MAX)
                        throw TableError(context + ": record " + std::to_string(rows.size() + 1) +
                                         " holds no 32-bit integer in \"" + fields_[k].name + "\"");
                    cell.number = static_cast<int32_t>(v);
                }
            }
            rows.push_back(std::move(row));
        }
    }
    if (indexField_ >= 0)
        std::sort(rows.begin(), rows.end(),
                  [this](const std::unique_ptr<Row>& a, const std::unique_ptr<Row>& b) { return rowLess(*a, *b); });

    dropPending();
    rows_ = std::move(rows);
    nextSeq_ = rows_.size();
    open_ = true;
    modified_ = false;
    cursor_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    notify();
}

void Table::createEmpty() {
    dropPending();
    rows_.clear();
    nextSeq_ = 0;
    open_ = true;
    modified_ = false;
    cursor_ = -1;
    eof_ = true;
    notify();
}

void Table::saveToFile(const std::string& path, Durability durability) const {
    if (path.empty()) throw TableError("Cannot save a table: no file name given");
    const std::string context = "Cannot save table file '" + path + "'";
    if (!open_) throw TableError(context + ": the table is not open");
    // The same rules as every other file the program writes (store/SafeFile),
    // though the table writes its new file through SQLite.
    const fs::path target = FinalTarget(path);
    if (IsReadOnlyFile(target.string())) throw TableError(context + ": the file is read-only");
    // The temporary file goes beside the real file, so the rename stays
    // within one file system and atomic.
    const std::string temp = TempPathFor(target.string());
    std::error_code ec;
    fs::remove(temp, ec);  // a leftover of a crashed run

    try {
        Db db(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, context);
        // The file is private until the rename, so no journal is needed; the
        // one fsync before the rename is what makes it durable.
        db.exec("PRAGMA journal_mode=OFF");
        db.exec("PRAGMA synchronous=OFF");
        db.exec(("PRAGMA user_version=" + std::to_string(FormatVersion)).c_str());
        std::string create = "CREATE TABLE \"records\" (";
        std::string insert = "INSERT INTO \"records\" VALUES (";
        for (size_t k = 0; k < fields_.size(); ++k) {
            create += (k ? ", " : "") + QuoteIdent(fields_[k].name) + " " + SqlType(fields_[k].type);
            insert += k ? ",?" : "?";
        }
        create += ")";
        insert += ")";
        db.exec(create.c_str());
        db.exec("BEGIN");
        {
            std::vector<const Row*> stored(rows_.size());
            std::transform(rows_.begin(), rows_.end(), stored.begin(), [](const auto& r) { return r.get(); });
            std::sort(stored.begin(), stored.end(), [](const Row* a, const Row* b) { return a->seq < b->seq; });
            Stmt stmt(db, insert);
            for (const Row* row : stored) {
                for (size_t k = 0; k < fields_.size(); ++k) {
                    const Cell& c = row->cells[k];
                    const int col = static_cast<int>(k) + 1;
                    int rc;
                    if (fields_[k].type == FieldType::String && c.text)
                        rc = sqlite3_bind_text(stmt.get(), col, c.text->data(), static_cast<int>(c.text->size()),
                                               SQLITE_STATIC);
                    else if (fields_[k].type == FieldType::Int && c.number)
                        rc = sqlite3_bind_int(stmt.get(), col, *c.number);
                    else
                        rc = sqlite3_bind_null(stmt.get(), col);
                    if (rc != SQLITE_OK) db.fail("cannot bind a value");
                }
                stmt.step();
                stmt.reset();
            }
        }
        db.exec("COMMIT");
        db.close();
        if (durability == Durability::Durable && !SyncFile(temp, false))
            throw TableError(context + ": cannot flush the new file to disk");
        // Whoever could read the old file can read the new one, no one else.
        const auto old = fs::status(target, ec);
        if (!ec && fs::exists(old)) fs::permissions(temp, old.permissions(), ec);
        fs::rename(temp, target, ec);
        if (ec) throw TableError(context + ": cannot replace it (" + ec.message() + ")");
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    if (durability == Durability::Durable) {
        const fs::path dir = target.parent_path();
        SyncFile(dir.empty() ? std::string(".") : dir.string(), true);  // best effort: the rename itself
    }
    if (path == fileName_) modified_ = false;
}

void RemoveStaleTempFiles(const std::string& path) {
    const fs::path target = FinalTarget(path);
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = target.filename().string() + ".tmp-";
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        long pid = 0;
        auto [ptr, err] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
        if (err != std::errc() || ptr != digits.data() + digits.size()) continue;
        // A running instance may be writing its own right now.
        if (!ProcessIsGone(pid)) continue;
        std::error_code rec;
        if (fs::is_regular_file(fs::symlink_status(it->path(), rec))) fs::remove(it->path(), rec);
    }
}

void Table::close() {
    if (!open_) return;
    dropPending();
    std::exception_ptr failure;
    if (modified_ && !fileName_.empty()) {
        try {
            saveToFile(fileName_);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    rows_.clear();
    nextSeq_ = 0;
    open_ = false;
    modified_ = false;
    cursor_ = -1;
    eof_ = true;
    notify();
    if (failure) std::rethrow_exception(failure);
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
        throw TableError("Record number " + std::to_string(n) + " is not in 1.." + std::to_string(recordCount()));
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
        return probe.text ? (c.text && *c.text == *probe.text) : (c.number && *c.number == *probe.number);
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
    if (pending_ == Pending::None) throw TableError("Cannot set a field: no record is being inserted or edited");
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
        throw TableError("\"" + std::string(text) + "\" is not a whole number for field \"" + f.name + "\"");
    c.number = v;
}

void Table::setField(int pos, int32_t value) {
    checkPos(pos);
    if (fields_[pos].type == FieldType::String) {
        setField(pos, std::string_view(std::to_string(value)));
        return;
    }
    if (pending_ == Pending::None) throw TableError("Cannot set a field: no record is being inserted or edited");
    buffer_[pos].number = value;
}

void Table::setNull(int pos) {
    checkPos(pos);
    if (pending_ == Pending::None) throw TableError("Cannot set a field: no record is being inserted or edited");
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
        throw TableError("Record " + std::to_string(row + 1) + " is not in 1.." + std::to_string(recordCount()));
    return rows_[row]->cells[pos];
}

}  // namespace ampora
