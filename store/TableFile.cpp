// A table as a file: loading, checking and saving through SQLite.

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
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
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
        if (sqlite3_close(db) != SQLITE_OK)
            throw TableError(context_ + ": cannot close the database");
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
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, col)))
                 : std::string();
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

}  // namespace

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
                throw TableError(context + ": written in a newer format (version " +
                                 std::to_string(v) + ")");
        }
        {
            Stmt info(db, "PRAGMA table_info(\"records\")");
            size_t col = 0;
            while (info.step()) {
                if (col >= fields_.size())
                    throw TableError(context + ": unexpected column \"" + info.text(1) + "\"");
                if (info.text(1) != fields_[col].name ||
                    !EqualsNoCase(info.text(2), SqlType(fields_[col].type)))
                    throw TableError(context + ": column " + std::to_string(col + 1) + " is \"" +
                                     info.text(1) + "\" " + info.text(2) + ", expected \"" +
                                     fields_[col].name + "\" " + SqlType(fields_[col].type));
                ++col;
            }
            if (col == 0) throw TableError(context + ": it holds no table \"records\"");
            if (col != fields_.size())
                throw TableError(context + ": column \"" + fields_[col].name + "\" is missing");
        }
        std::string sql = "SELECT ";
        for (size_t k = 0; k < fields_.size(); ++k)
            sql += (k ? "," : "") + QuoteIdent(fields_[k].name);
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
                        throw TableError(context + ": record " + std::to_string(rows.size() + 1) +
                                         " holds a non-text \"" + fields_[k].name + "\"");
                    std::string text = select.text(k);
                    cell.text = fields_[k].maxLength > 0 ? TruncateUtf8(text, fields_[k].maxLength)
                                                         : std::move(text);
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
                  [this](const std::unique_ptr<Row>& a, const std::unique_ptr<Row>& b) {
                      return rowLess(*a, *b);
                  });

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
            create +=
                (k ? ", " : "") + QuoteIdent(fields_[k].name) + " " + SqlType(fields_[k].type);
            insert += k ? ",?" : "?";
        }
        create += ")";
        insert += ")";
        db.exec(create.c_str());
        db.exec("BEGIN");
        {
            std::vector<const Row*> stored(rows_.size());
            std::transform(rows_.begin(), rows_.end(), stored.begin(),
                           [](const auto& r) { return r.get(); });
            std::sort(stored.begin(), stored.end(),
                      [](const Row* a, const Row* b) { return a->seq < b->seq; });
            Stmt stmt(db, insert);
            for (const Row* row : stored) {
                for (size_t k = 0; k < fields_.size(); ++k) {
                    const Cell& c = row->cells[k];
                    const int col = static_cast<int>(k) + 1;
                    int rc;
                    if (fields_[k].type == FieldType::String && c.text)
                        rc = sqlite3_bind_text(stmt.get(), col, c.text->data(),
                                               static_cast<int>(c.text->size()), SQLITE_STATIC);
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
        SyncFile(dir.empty() ? std::string(".") : dir.string(),
                 true);  // best effort: the rename itself
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

}  // namespace ampora
