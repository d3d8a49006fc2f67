// The database bridge on unixODBC: TEVRA reaches a logging program's
// database (SQLite, MariaDB/MySQL, ...) through it.
//
// The data source is the connection string in TEVRA_ODBC (a DSN-less
// "Driver=SQLite3;Database=log.db" or "DSN=mylog;UID=...;PWD=..."); without
// it, in the desktop program, a small dialog offers the data sources the
// driver manager knows and a field for a connection string. A table
// is read whole when its record set opens; each row keeps its key (the
// primary key columns, or SQLite's rowid), so that Seek and Update reach the
// same row later. Update writes one column with a parameterised UPDATE on
// that key, in a transaction that first reads the row again: only a row
// that still holds the values read at loading is written (a row another
// program edited, or a new row that reuses a deleted row's key, is left
// alone), and only when exactly one row changes. Rows without a usable key
// (NULL, or a key of a type that cannot be compared exactly) are refused.
// Texts cross to TEVRA in CP932 and come from the driver in UTF-8.
#include <sql.h>
#include <sqlext.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/encoding.h"
#include "core/text.h"
#include "tevra/dbbrdg.h"

namespace {

constexpr std::size_t kMaxFields = 32;
constexpr std::size_t kMaxRowBytes = 8192;
constexpr std::size_t kMaxText = 1023;

struct Bridge {
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  bool connected = false;
  std::string location;                 // CP932
  std::vector<std::string> tables;      // CP932
  std::vector<std::string> tablesUtf8;  // the same, as the driver names them
  std::string table;                    // UTF-8, as the driver names it
  std::vector<std::string> fieldNames;  // UTF-8
  std::vector<std::string> fieldNamesCp932;
  std::vector<std::string> keyColumns;  // UTF-8; empty: rows cannot be updated
  std::string keyProblem;               // why the key cannot find rows again; empty when it can
  bool open = false;
  std::vector<std::vector<std::string>> rows;  // UTF-8 texts of the fields
  std::vector<std::vector<bool>> nulls;        // which fields were NULL
  std::vector<std::vector<std::string>> keys;  // the key values of each row
  std::vector<bool> nullKey;                   // a key value of the row is NULL or too long
  std::size_t current = 0;
  std::string scratch;  // the text handed out last
  int failure = TEVRA_UPDATE_OK;  // why the last Update wrote nothing
  std::string failureText;        // UTF-8
};

Bridge& B() {
  static Bridge bridge;
  return bridge;
}

bool Ok(SQLRETURN r) { return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO; }

std::string Quote(const std::string& name) {
  std::string q = "\"";
  for (char c : name) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

// One column of the current row of a statement as text; empty for NULL
// (then *null is set).
std::string ColumnText(SQLHSTMT stmt, SQLUSMALLINT column, bool* null = nullptr) {
  std::string text;
  char buffer[1024];
  SQLLEN length = 0;
  if (null) *null = false;
  for (;;) {
    const SQLRETURN r = SQLGetData(stmt, column, SQL_C_CHAR, buffer, sizeof buffer, &length);
    if (length == SQL_NULL_DATA && Ok(r) && null) *null = true;
    if (r == SQL_NO_DATA || !Ok(r) || length == SQL_NULL_DATA) break;
    const std::size_t got = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof buffer)
                                ? sizeof buffer - 1
                                : static_cast<std::size_t>(length);
    text.append(buffer, got);
    if (r == SQL_SUCCESS || text.size() > kMaxRowBytes) break;
  }
  return text;
}

void CloseRecordSet() {
  Bridge& b = B();
  b.open = false;
  b.rows.clear();
  b.nulls.clear();
  b.keys.clear();
  b.nullKey.clear();
  b.current = 0;
}

// The driver's own words for what went wrong with a statement (or, without
// one, the connection).
std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string text;
  SQLCHAR state[6], message[512];
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  for (SQLSMALLINT i = 1; i <= 3; ++i) {
    if (!Ok(SQLGetDiagRec(type, handle, i, state, &native, message, sizeof message, &length))) break;
    if (!text.empty()) text += "; ";
    text += reinterpret_cast<char*>(message);
  }
  return text;
}

// Whether a column type compares exactly with the text it reads as.
bool ExactKeyType(SQLSMALLINT type) {
  switch (type) {
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_DECIMAL:
    case SQL_NUMERIC: return false;
    default: return true;
  }
}

void Disconnect() {
  Bridge& b = B();
  CloseRecordSet();
  if (b.connected) SQLDisconnect(b.dbc);
  if (b.dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, b.dbc);
  if (b.env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, b.env);
  b.dbc = SQL_NULL_HDBC;
  b.env = SQL_NULL_HENV;
  b.connected = false;
  b.tables.clear();
  b.tablesUtf8.clear();
  b.fieldNames.clear();
  b.fieldNamesCp932.clear();
  b.keyColumns.clear();
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

bool Connect(std::string connection) {
  Bridge& b = B();
  Disconnect();
  // The SQLite driver makes an empty database of a mistyped name: a
  // database file must exist.
  if (ContainsNoCase(connection, "sqlite")) {
    for (const char* key : {"Database=", "DATABASE=", "database="}) {
      const std::size_t at = connection.find(key);
      if (at == std::string::npos) continue;
      std::string file = connection.substr(at + std::strlen(key));
      file = file.substr(0, file.find(';'));
      struct stat st {};
      if (file.empty() || ::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fprintf(stderr, "libdbbrdg: %s: no such database file\n", file.c_str());
        return false;
      }
    }
    connection += ";NoCreat=1";
  }
  if (!Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &b.env))) return false;
  SQLSetEnvAttr(b.env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  if (!Ok(SQLAllocHandle(SQL_HANDLE_DBC, b.env, &b.dbc))) return false;
  SQLCHAR out[1024];
  SQLSMALLINT outLength = 0;
  if (!Ok(SQLDriverConnect(b.dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection.c_str())), SQL_NTS,
                           out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT))) {
    Disconnect();
    return false;
  }
  b.connected = true;
  // The location shown for the source: its database or DSN, without a password.
  std::string where;
  for (const char* key : {"Database=", "DATABASE=", "DSN="}) {
    const std::size_t at = connection.find(key);
    if (at != std::string::npos) {
      where = connection.substr(at + std::strlen(key));
      where = where.substr(0, where.find(';'));
      break;
    }
  }
  b.location = tevra::FromUnicode(where);
  return true;
}

// The data sources the driver manager knows ("~/.odbc.ini", "/etc/odbc.ini").
std::vector<std::string> DataSources() {
  std::vector<std::string> names;
  SQLHENV env = SQL_NULL_HENV;
  if (!Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return names;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLCHAR name[256], description[256];
  SQLSMALLINT nameLength = 0, descriptionLength = 0;
  for (SQLUSMALLINT direction = SQL_FETCH_FIRST;
       Ok(SQLDataSources(env, direction, name, sizeof name, &nameLength, description, sizeof description,
                         &descriptionLength)) && names.size() < 256;
       direction = SQL_FETCH_NEXT)
    names.emplace_back(reinterpret_cast<char*>(name));
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  return names;
}

// The connection the user chooses in the desktop program; empty when none.
std::string AskConnection(void* window) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};  // no windows here
  QDialog box(static_cast<QWidget*>(window));
  box.setWindowTitle(QStringLiteral("ＯＤＢＣデータソース"));
  auto* form = new QFormLayout(&box);
  auto* sources = new QComboBox;
  for (const std::string& name : DataSources()) sources->addItem(QString::fromStdString(name));
  auto* connection = new QLineEdit;
  connection->setPlaceholderText(QStringLiteral("Driver=SQLite3;Database=/path/log.db"));
  form->addRow(QStringLiteral("データソース"), sources);
  form->addRow(QStringLiteral("接続文字列"), connection);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  form->addRow(buttons);
  if (box.exec() != QDialog::Accepted) return {};
  if (!connection->text().trimmed().isEmpty()) return connection->text().trimmed().toStdString();
  return sources->currentText().isEmpty() ? std::string() : "DSN=" + sources->currentText().toStdString();
}

// Runs a statement and calls row() for every row.
template <typename Row>
bool Query(const std::string& sql, Row&& row) {
  Bridge& b = B();
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, b.dbc, &stmt))) return false;
  bool ok = Ok(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS));
  while (ok) {
    const SQLRETURN r = SQLFetch(stmt);
    if (r == SQL_NO_DATA) break;
    if (!Ok(r)) {
      ok = false;
      break;
    }
    row(stmt);
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  return ok;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) uint16_t DBBRDG_GetVersion(void) { return 200; }

__attribute__((visibility("default"))) uint16_t DBBRDG_Table(void* window) {
  Bridge& b = B();
  const char* fromEnvironment = std::getenv("TEVRA_ODBC");
  const std::string connection =
      fromEnvironment && *fromEnvironment ? std::string(fromEnvironment) : AskConnection(window);
  if (connection.empty() || !Connect(connection)) return 0;
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, b.dbc, &stmt))) return 0;
  if (Ok(SQLTables(stmt, nullptr, 0, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(const_cast<char*>("TABLE")),
                   SQL_NTS))) {
    while (Ok(SQLFetch(stmt)) && b.tables.size() < 4096) {
      const std::string name = ColumnText(stmt, 3);  // TABLE_NAME
      if (name.empty()) continue;
      b.tables.push_back(tevra::FromUnicode(name));
      b.tablesUtf8.push_back(name);
    }
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  return static_cast<uint16_t>(std::min<std::size_t>(b.tables.size(), 0xFFFF));
}

__attribute__((visibility("default"))) const char* DBBRDG_GetTableList(int32_t index) {
  Bridge& b = B();
  if (index < 0 || static_cast<std::size_t>(index) >= b.tables.size()) return nullptr;
  return b.tables[static_cast<std::size_t>(index)].c_str();
}

__attribute__((visibility("default"))) uint16_t DBBRDG_Open(const char* table) {
  Bridge& b = B();
  if (!b.connected || !table) return 0;
  CloseRecordSet();
  // The table as listed, by its own name even where CP932 cannot spell it
  // ("qsoé" may be listed as "qsoe"). Where one listed text stands for two
  // tables, it is the table of exactly that name, else neither.
  const std::string exact = tevra::ToUnicode(table);
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < b.tables.size(); ++i)
    if (b.tables[i] == table) candidates.push_back(i);
  if (candidates.size() == 1) {
    b.table = b.tablesUtf8[candidates.front()];
  } else if (std::find(b.tablesUtf8.begin(), b.tablesUtf8.end(), exact) != b.tablesUtf8.end() ||
             candidates.empty()) {
    b.table = exact;
  } else {
    return 0;
  }
  b.fieldNames.clear();
  b.fieldNamesCp932.clear();
  b.keyColumns.clear();
  // The columns, from a query that returns no row.
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, b.dbc, &stmt))) return 0;
  const std::string sql = "SELECT * FROM " + Quote(b.table) + " WHERE 1=0";
  SQLSMALLINT columns = 0;
  if (Ok(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS)) &&
      Ok(SQLNumResultCols(stmt, &columns))) {
    for (SQLSMALLINT c = 1; c <= columns && b.fieldNames.size() < kMaxFields; ++c) {
      SQLCHAR name[256];
      SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      if (!Ok(SQLDescribeCol(stmt, c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable))) break;
      b.fieldNames.emplace_back(reinterpret_cast<char*>(name));
      b.fieldNamesCp932.push_back(tevra::FromUnicode(b.fieldNames.back()));
    }
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  // The key: the primary key columns, else SQLite's rowid.
  if (Ok(SQLAllocHandle(SQL_HANDLE_STMT, b.dbc, &stmt))) {
    if (Ok(SQLPrimaryKeys(stmt, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(const_cast<char*>(b.table.c_str())),
                          SQL_NTS)))
      while (Ok(SQLFetch(stmt))) b.keyColumns.push_back(ColumnText(stmt, 4));  // COLUMN_NAME
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  }
  if (b.keyColumns.empty() && Query("SELECT rowid FROM " + Quote(b.table) + " WHERE 1=0", [](SQLHSTMT) {}))
    b.keyColumns.push_back("rowid");
  return static_cast<uint16_t>(b.fieldNames.size());
}

__attribute__((visibility("default"))) const char* DBBRDG_GetNameList(int32_t index) {
  Bridge& b = B();
  if (index < 0 || static_cast<std::size_t>(index) >= b.fieldNamesCp932.size()) return nullptr;
  return b.fieldNamesCp932[static_cast<std::size_t>(index)].c_str();
}

__attribute__((visibility("default"))) int32_t DBBRDG_OpenRec(void) {
  Bridge& b = B();
  if (!b.connected || b.fieldNames.empty()) return 0;
  CloseRecordSet();
  std::string select = "SELECT ";
  for (const std::string& key : b.keyColumns) select += (key == "rowid" ? key : Quote(key)) + ", ";
  for (std::size_t i = 0; i < b.fieldNames.size(); ++i) select += (i ? ", " : "") + Quote(b.fieldNames[i]);
  select += " FROM " + Quote(b.table);
  if (!b.keyColumns.empty()) {
    select += " ORDER BY ";
    for (std::size_t i = 0; i < b.keyColumns.size(); ++i)
      select += (i ? ", " : "") + (b.keyColumns[i] == "rowid" ? b.keyColumns[i] : Quote(b.keyColumns[i]));
  }
  const std::size_t keyCount = b.keyColumns.size();
  b.keyProblem.clear();
  bool described = false;
  const bool ok = Query(select, [&](SQLHSTMT stmt) {
    if (!described) {
      // A key that reads as inexact text cannot find its row again.
      for (std::size_t k = 0; k < keyCount; ++k) {
        SQLCHAR name[256];
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (Ok(SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(k + 1), name, sizeof name, &nameLength, &type, &size,
                              &digits, &nullable)) &&
            !ExactKeyType(type))
          b.keyProblem = "the key column " + b.keyColumns[k] + " holds numbers that are not whole";
      }
      described = true;
    }
    std::vector<std::string> key, row;
    std::vector<bool> nulls;
    bool nullKey = false;
    for (std::size_t k = 0; k < keyCount; ++k) {
      bool null = false;
      key.push_back(ColumnText(stmt, static_cast<SQLUSMALLINT>(k + 1), &null));
      // A key longer than what is read of it cannot find its row either.
      nullKey = nullKey || null || key.back().size() > kMaxRowBytes;
    }
    for (std::size_t f = 0; f < b.fieldNames.size(); ++f) {
      bool null = false;
      row.push_back(ColumnText(stmt, static_cast<SQLUSMALLINT>(keyCount + f + 1), &null).substr(0, kMaxText));
      nulls.push_back(null);
    }
    b.keys.push_back(std::move(key));
    b.nullKey.push_back(nullKey);
    b.rows.push_back(std::move(row));
    b.nulls.push_back(std::move(nulls));
  });
  if (!ok) {
    CloseRecordSet();
    return 0;
  }
  b.open = true;
  b.current = 0;
  return 1;
}

__attribute__((visibility("default"))) int32_t DBBRDG_CloseRec(void) {
  CloseRecordSet();
  return 1;
}

__attribute__((visibility("default"))) int32_t DBBRDG_IsOpen(void) { return B().connected ? 1 : 0; }

__attribute__((visibility("default"))) int32_t DBBRDG_Close(void) {
  Disconnect();
  return 1;
}

__attribute__((visibility("default"))) const char* DBBRDG_GetDirName(void) { return B().location.c_str(); }

__attribute__((visibility("default"))) int32_t DBBRDG_IsEOF(void) {
  const Bridge& b = B();
  return !b.open || b.current >= b.rows.size() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DBBRDG_MoveNext(void) {
  Bridge& b = B();
  if (!b.open || b.current >= b.rows.size()) return 0;
  ++b.current;
  return b.current < b.rows.size() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DBBRDG_Seek(int32_t index) {
  Bridge& b = B();
  if (!b.open || index < 0 || static_cast<std::size_t>(index) >= b.rows.size()) return 0;
  b.current = static_cast<std::size_t>(index);
  return 1;
}

__attribute__((visibility("default"))) int32_t DBBRDG_ListText(char* buffer, int32_t size) {
  Bridge& b = B();
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  if (!b.open || b.current >= b.rows.size()) return 0;
  std::string line;
  for (std::size_t f = 0; f < b.rows[b.current].size(); ++f) {
    if (f) line += '\x1e';
    line += tevra::FromUnicode(b.rows[b.current][f]);
  }
  tevra::CopyToBuffer(line, buffer, static_cast<std::size_t>(size));
  return 1;
}

__attribute__((visibility("default"))) const char* DBBRDG_GetData(int32_t field) {
  Bridge& b = B();
  if (!b.open || b.current >= b.rows.size() || field < 0 || static_cast<std::size_t>(field) >= b.fieldNames.size())
    return nullptr;
  b.scratch = tevra::FromUnicode(b.rows[b.current][static_cast<std::size_t>(field)]);
  return b.scratch.c_str();
}

__attribute__((visibility("default"))) int32_t DBBRDG_CanUpdate(int32_t field) {
  const Bridge& b = B();
  if (!b.open || b.keyColumns.empty() || field < 0 || static_cast<std::size_t>(field) >= b.fieldNames.size()) return 0;
  // A key column is never written: the row would be lost.
  return std::find(b.keyColumns.begin(), b.keyColumns.end(), b.fieldNames[static_cast<std::size_t>(field)]) ==
                 b.keyColumns.end()
             ? 1
             : 0;
}

}  // extern "C"

namespace {

int Fail(int kind, std::string why) {
  B().failure = kind;
  B().failureText = std::move(why);
  return 0;
}

// A statement on the current row's key: sql's first parameters are given,
// the key values follow.
struct KeyedStatement {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  std::vector<std::string> parameters;
  std::vector<SQLLEN> lengths;
  ~KeyedStatement() {
    if (stmt != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  }
  bool Run(const std::string& sql, std::vector<std::string> first) {
    Bridge& b = B();
    parameters = std::move(first);
    for (const std::string& key : b.keys[b.current]) parameters.push_back(key);
    lengths.assign(parameters.size(), 0);
    if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, b.dbc, &stmt))) return false;
    bool ok = Ok(SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS));
    for (std::size_t p = 0; ok && p < parameters.size(); ++p) {
      lengths[p] = static_cast<SQLLEN>(parameters[p].size());
      ok = Ok(SQLBindParameter(stmt, static_cast<SQLUSMALLINT>(p + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                               std::max<std::size_t>(parameters[p].size(), 1), 0, parameters[p].data(),
                               static_cast<SQLLEN>(parameters[p].size()), &lengths[p]));
    }
    return ok && Ok(SQLExecute(stmt));
  }
  std::string Why() const { return stmt != SQL_NULL_HSTMT ? Diagnostics(SQL_HANDLE_STMT, stmt) : std::string(); }
};

std::string KeyCondition() {
  const Bridge& b = B();
  std::string sql;
  for (std::size_t k = 0; k < b.keyColumns.size(); ++k)
    sql += (k ? " AND " : "") + (b.keyColumns[k] == "rowid" ? b.keyColumns[k] : Quote(b.keyColumns[k])) + " = ?";
  return sql;
}

// Inside the transaction: the row still holds what was read at loading.
int RowUnchanged(std::string& why) {
  Bridge& b = B();
  std::string select = "SELECT ";
  for (std::size_t i = 0; i < b.fieldNames.size(); ++i) select += (i ? ", " : "") + Quote(b.fieldNames[i]);
  select += " FROM " + Quote(b.table) + " WHERE " + KeyCondition();
  KeyedStatement statement;
  if (!statement.Run(select, {})) {
    why = statement.Why();
    return TEVRA_UPDATE_FAILED;
  }
  int rows = 0;
  bool same = true;
  for (SQLRETURN r = SQLFetch(statement.stmt); Ok(r); r = SQLFetch(statement.stmt)) {
    if (++rows > 1) break;
    for (std::size_t f = 0; f < b.fieldNames.size(); ++f) {
      bool null = false;
      const std::string value = ColumnText(statement.stmt, static_cast<SQLUSMALLINT>(f + 1), &null).substr(0, kMaxText);
      same = same && value == b.rows[b.current][f] && null == b.nulls[b.current][f];
    }
  }
  if (rows == 0) {
    why = "the row was deleted since it was loaded";
    return TEVRA_UPDATE_CHANGED;
  }
  if (rows > 1) {
    why = "its key finds more than one row";
    return TEVRA_UPDATE_REFUSED;
  }
  if (!same) {
    why = "the row changed since it was loaded";
    return TEVRA_UPDATE_CHANGED;
  }
  return TEVRA_UPDATE_OK;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t DBBRDG_Update(int32_t field, const char* text) {
  Bridge& b = B();
  b.failure = TEVRA_UPDATE_OK;
  b.failureText.clear();
  if (!text || !DBBRDG_CanUpdate(field) || b.current >= b.rows.size())
    return Fail(TEVRA_UPDATE_FAILED, "the field cannot be written");
  if (!b.keyProblem.empty()) return Fail(TEVRA_UPDATE_REFUSED, b.keyProblem);
  if (b.nullKey[b.current]) return Fail(TEVRA_UPDATE_REFUSED, "the row has no key that finds it (NULL, or too long)");
  const std::string value = tevra::ToUnicode(text);
  // One transaction: the row checked again, then exactly one row changed,
  // else nothing.
  if (!Ok(SQLSetConnectAttr(b.dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
    return Fail(TEVRA_UPDATE_FAILED, Diagnostics(SQL_HANDLE_DBC, b.dbc));
  std::string why;
  int result = RowUnchanged(why);
  if (result == TEVRA_UPDATE_OK) {
    KeyedStatement update;
    SQLLEN changed = 0;
    const std::string sql = "UPDATE " + Quote(b.table) + " SET " + Quote(b.fieldNames[static_cast<std::size_t>(field)]) +
                            " = ? WHERE " + KeyCondition();
    if (!update.Run(sql, {value}) || !Ok(SQLRowCount(update.stmt, &changed))) {
      why = update.Why();
      result = TEVRA_UPDATE_FAILED;
    } else if (changed != 1) {
      why = "the key finds " + std::to_string(changed) + " rows";
      result = TEVRA_UPDATE_REFUSED;
    }
  }
  const bool commit = result == TEVRA_UPDATE_OK;
  if (!Ok(SQLEndTran(SQL_HANDLE_DBC, b.dbc, commit ? SQL_COMMIT : SQL_ROLLBACK)) && commit) {
    why = Diagnostics(SQL_HANDLE_DBC, b.dbc);
    result = TEVRA_UPDATE_FAILED;
    SQLEndTran(SQL_HANDLE_DBC, b.dbc, SQL_ROLLBACK);
  }
  SQLSetConnectAttr(b.dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  if (result != TEVRA_UPDATE_OK) return Fail(result, why.empty() ? "the database refused the change" : why);
  b.rows[b.current][static_cast<std::size_t>(field)] = value;
  b.nulls[b.current][static_cast<std::size_t>(field)] = false;
  return 1;
}

__attribute__((visibility("default"))) int32_t DBBRDG_GetUpdateError(char* buffer, int32_t size) {
  const Bridge& b = B();
  if (buffer && size > 0) tevra::CopyToBuffer(tevra::FromUnicode(b.failureText), buffer, static_cast<std::size_t>(size));
  return b.failure;
}

}  // extern "C"
