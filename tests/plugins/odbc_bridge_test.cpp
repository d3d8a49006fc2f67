// The database bridge against a real SQLite file through unixODBC: the
// log is read through the formulas, and the write-back marks exactly the
// printed rows.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <memory>
#include <gtest/gtest.h>

#include "program/program.h"
#include "core/encoding.h"
#include "import/csv_format_dialog.h"
#include "import/external_libraries.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

bool Ok(SQLRETURN r) { return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO; }

// A direct ODBC connection for setting up and checking the file.
class Sql {
 public:
  explicit Sql(const std::string& connection) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
    ok_ = Ok(SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection.c_str())),
                              SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
  }
  ~Sql() {
    if (ok_) SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
  }
  bool Connected() const { return ok_; }
  bool Run(const std::string& sql) {
    SQLHSTMT stmt;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt);
    const bool ok = Ok(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS));
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return ok;
  }
  // The first column of every row, as text.
  std::vector<std::string> Column(const std::string& sql) {
    std::vector<std::string> out;
    SQLHSTMT stmt;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt);
    if (Ok(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS)))
      while (Ok(SQLFetch(stmt))) {
        char buffer[256] = "";
        SQLLEN length = 0;
        SQLGetData(stmt, 1, SQL_C_CHAR, buffer, sizeof buffer, &length);
        out.emplace_back(length == SQL_NULL_DATA ? "NULL" : buffer);
      }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return out;
  }

 private:
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool ok_ = false;
};

TEST(OdbcBridge, ReadsASqliteLogAndMarksExactlyThePrintedRows) {
  test::TempDir dir;
  const std::string connection = "Driver=SQLite3;Database=" + (dir.Path() / "log.db").string();
  {
    Sql sql(connection);
    ASSERT_TRUE(sql.Connected()) << "the SQLite ODBC driver is missing";
    ASSERT_TRUE(sql.Run("CREATE TABLE qso (id INTEGER PRIMARY KEY, qso_date TEXT, time_on TEXT, call TEXT, "
                        "name TEXT, qsl_sent TEXT)"));
    ASSERT_TRUE(sql.Run("INSERT INTO qso (qso_date, time_on, call, name, qsl_sent) VALUES "
                        "('24-11-03', '0930', 'JA1ABC', '山田', ''), ('24-11-04', '1000', 'W1AW', 'Hiram', ''), "
                        "('24-11-05', '1100', 'DL1XYZ', 'Hans', 'Y'), ('24-11-06', '1200', 'VK2AA', 'Bob', '')"));
  }
  // The database named beside the last log: found from the log folder,
  // which the connection makes the current one.
  setenv("TEVRA_ODBC", "Driver=SQLite3;Database=log.db", 1);
  const auto cwd = std::filesystem::current_path();
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program(ui, {(dir.Path() / "TEVRA.INI").string(), std::string(TEVRA_BRIDGE_DIR) + "/"});
  program.Start();
  ASSERT_TRUE(program.dbBridge.Available());
  program.settings.load.curLogDir = dir.Path().string() + "/";
  Document doc(program, printer);
  ui.QueueFormatDialog([&ui](CsvFormatDialog& dialog) {
    EXPECT_EQ(dialog.RowLabel(3), "call");
    const char* formulas[] = {"NULL", "YY-MM-DD", "HHmm", "CALL", "NAME", "SEND"};
    for (int row = 0; row < 6; ++row) {
      dialog.SelectRow(row);
      dialog.SetFormulaBox(formulas[row]);
      dialog.ApplyFormula(ui);
    }
    return true;
  });
  // One table: no choice.
  ASSERT_TRUE(doc.ConnectOdbc({}));
  unsetenv("TEVRA_ODBC");
  EXPECT_EQ(std::filesystem::current_path(), dir.Path());
  std::filesystem::current_path(cwd);
  ASSERT_EQ(doc.store.QsoCount(), 3u);  // DL1XYZ's card was sent already
  EXPECT_EQ(doc.store.Entry(0).Text(LogEntry::Call), "JA1ABC");
  EXPECT_EQ(ToUnicode(doc.store.Entry(0).Text(LogEntry::Name)), "山田");
  EXPECT_EQ(program.settings.load.curLogName, "qso");

  // Cards 1 and 3 printed (JA1ABC and VK2AA), then the write-back.
  doc.store.MarkCardPrinted(0);
  doc.store.MarkCardPrinted(2);
  program.printedData = true;
  program.settings.sendMark = "P";
  ui.QueueAnswer(Answer::Yes);  // update the log
  ASSERT_TRUE(doc.writeBack.Settle(true));
  Sql check(connection);
  EXPECT_EQ(check.Column("SELECT qsl_sent FROM qso ORDER BY id"), (std::vector<std::string>{"P", "", "Y", "P"}));
  EXPECT_EQ(check.Column("SELECT name FROM qso ORDER BY id"),
            (std::vector<std::string>{"山田", "Hiram", "Hans", "Bob"}));  // nothing else changed
  doc.CloseLiveSources();
}

TEST(OdbcBridge, TevraBatchPrintsADatabaseTableAndMarksIt) {
  test::TempDir dir;
  const std::string connection = "Driver=SQLite3;Database=" + (dir.Path() / "log.db").string();
  {
    Sql sql(connection);
    ASSERT_TRUE(sql.Connected());
    ASSERT_TRUE(sql.Run("CREATE TABLE qso (id INTEGER PRIMARY KEY, qso_date TEXT, time_on TEXT, call TEXT, "
                        "freq TEXT, qsl_sent TEXT)"));
    ASSERT_TRUE(sql.Run("CREATE TABLE other (x TEXT)"));  // two tables: --table chooses
    ASSERT_TRUE(sql.Run("INSERT INTO qso (qso_date, time_on, call, freq, qsl_sent) VALUES "
                        "('24-11-03', '0930', 'JA1ABC', '7.045', ''), ('24-11-04', '1000', 'W1AW', '14.025', 'Y')"));
  }
  const std::string ini = (dir.Path() / "TEVRA.INI").string();
  std::fclose(std::fopen(ini.c_str(), "wb"));
  // The program itself, which finds the bridge beside it.
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {TEVRA_BATCH, "--config", ini, "--odbc", connection});
    std::string command;
    for (const std::string& a : args) command += "'" + a + "' ";
    return std::system((command + ">/dev/null 2>&1").c_str());
  };
  EXPECT_NE(run({"--guess", "--count"}), 0);  // which table?
  EXPECT_EQ(run({"--table", "qso", "--guess", "--count"}), 0);
  {
    Sql sql(connection);
    ASSERT_TRUE(sql.Run("DROP TABLE other"));
  }
  EXPECT_NE(run({"--table", "qsos", "--guess", "--count"}), 0);  // one table, but not the one asked for
  const std::string pdf = (dir.Path() / "cards.pdf").string();
  ASSERT_EQ(run({"--table", "qso", "--guess", "--no-prompts", "-o", pdf, "--write-back",
                 std::string(TEVRA_EXAMPLES) + "/postcard.tvd"}),
            0);
  Sql check(connection);
  EXPECT_EQ(check.Column("SELECT qsl_sent FROM qso ORDER BY id"), (std::vector<std::string>{"-", "Y"}));
}

// The bridge as the write-back calls it: Seek, then Update; what a failed
// Update says about itself.
struct Marking {
  std::int32_t written;
  std::int32_t error;
};
Marking Mark(const DbBridgeApi& api, std::int32_t row) {
  char why[512] = "";
  EXPECT_EQ(api.Seek(row), 1) << row;
  const std::int32_t written = api.Update(2, "P");
  return {written, api.GetUpdateError ? api.GetUpdateError(why, sizeof why) : -1};
}

TEST(OdbcBridge, OnlyRowsThatAreStillTheLoadedOnesGetTheMark) {
  test::TempDir dir;
  const std::string connection = "Driver=SQLite3;Database=" + (dir.Path() / "log.db").string();
  Sql sql(connection);
  ASSERT_TRUE(sql.Connected());
  ASSERT_TRUE(sql.Run("CREATE TABLE qso (id INTEGER PRIMARY KEY, call TEXT, qsl_sent TEXT)"));
  ASSERT_TRUE(sql.Run("INSERT INTO qso (call, qsl_sent) VALUES ('JA1ABC', ''), ('W1AW', ''), ('K1ABC', '')"));
  test::ScriptedUi ui;
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(std::string(TEVRA_BRIDGE_DIR) + "/", ui));
  const DbBridgeApi& api = bridge.Api();
  setenv("TEVRA_ODBC", connection.c_str(), 1);
  ASSERT_EQ(api.Table(nullptr), 1);
  unsetenv("TEVRA_ODBC");
  ASSERT_EQ(api.Open("qso"), 3);
  ASSERT_EQ(api.OpenRec(), 1);
  // While the cards print, the logger edits W1AW, deletes its last QSO and
  // logs a new one, which SQLite gives the freed id.
  ASSERT_TRUE(sql.Run("UPDATE qso SET call = 'W1AX' WHERE id = 2"));
  ASSERT_TRUE(sql.Run("DELETE FROM qso WHERE id = 3"));
  ASSERT_TRUE(sql.Run("INSERT INTO qso (call, qsl_sent) VALUES ('N1NEW', '')"));
  const Marking expected[] = {{1, TEVRA_UPDATE_OK}, {0, TEVRA_UPDATE_CHANGED}, {0, TEVRA_UPDATE_CHANGED}};
  for (std::int32_t row = 0; row < 3; ++row) {
    const Marking m = Mark(api, row);
    EXPECT_EQ(m.written, expected[row].written) << row;
    EXPECT_EQ(m.error, expected[row].error) << row;
  }
  EXPECT_EQ(sql.Column("SELECT call || ':' || qsl_sent FROM qso ORDER BY id"),
            (std::vector<std::string>{"JA1ABC:P", "W1AX:", "N1NEW:"}));
  api.CloseRec();
  api.Close();
}

TEST(OdbcBridge, RowsWithoutAUsableKeyAreRefusedAndTablesGoByTheirExactName) {
  test::TempDir dir;
  const std::string connection = "Driver=SQLite3;Database=" + (dir.Path() / "log.db").string();
  Sql sql(connection);
  ASSERT_TRUE(sql.Connected());
  for (const char* statement : {
           "CREATE TABLE nullkey (k TEXT PRIMARY KEY, call TEXT, qsl_sent TEXT)",
           "INSERT INTO nullkey VALUES (NULL, 'A', ''), ('', 'B', '')",
           "CREATE TABLE realkey (k REAL PRIMARY KEY, call TEXT, qsl_sent TEXT)",
           "INSERT INTO realkey VALUES (0.1 + 0.2, 'A', ''), (0.3, 'B', '')",
           "CREATE TABLE \"qsoé\" (id INTEGER PRIMARY KEY, call TEXT, qsl_sent TEXT)",
           "INSERT INTO \"qsoé\" (call, qsl_sent) VALUES ('ACCENT', '')",
           "CREATE TABLE qsoe (id INTEGER PRIMARY KEY, call TEXT, qsl_sent TEXT)",
           "INSERT INTO qsoe (call, qsl_sent) VALUES ('PLAIN', '')",
       })
    ASSERT_TRUE(sql.Run(statement)) << statement;
  test::ScriptedUi ui;
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(std::string(TEVRA_BRIDGE_DIR) + "/", ui));
  const DbBridgeApi& api = bridge.Api();
  setenv("TEVRA_ODBC", connection.c_str(), 1);
  const int tables = api.Table(nullptr);
  unsetenv("TEVRA_ODBC");
  ASSERT_EQ(tables, 4);
  // A NULL key finds nothing again, an inexact one finds the wrong row.
  ASSERT_EQ(api.Open("nullkey"), 3);
  ASSERT_EQ(api.OpenRec(), 1);
  EXPECT_EQ(Mark(api, 0).error, TEVRA_UPDATE_REFUSED);
  EXPECT_EQ(Mark(api, 1).written, 1);
  EXPECT_EQ(sql.Column("SELECT call || ':' || qsl_sent FROM nullkey ORDER BY call"),
            (std::vector<std::string>{"A:", "B:P"}));
  // The database's own reason reaches the message (a CHECK here).
  ASSERT_TRUE(sql.Run("CREATE TABLE checked (id INTEGER PRIMARY KEY, call TEXT, qsl_sent TEXT CHECK (qsl_sent <> 'P'))"));
  ASSERT_TRUE(sql.Run("INSERT INTO checked (call, qsl_sent) VALUES ('A', '')"));
  setenv("TEVRA_ODBC", connection.c_str(), 1);
  ASSERT_EQ(api.Table(nullptr), 5);
  unsetenv("TEVRA_ODBC");
  ASSERT_EQ(api.Open("checked"), 3);
  ASSERT_EQ(api.OpenRec(), 1);
  ASSERT_EQ(api.Seek(0), 1);
  EXPECT_EQ(api.Update(2, "P"), 0);
  char why[512] = "";
  EXPECT_EQ(api.GetUpdateError(why, sizeof why), TEVRA_UPDATE_FAILED);
  EXPECT_NE(std::string(why).find("CHECK"), std::string::npos) << why;
  ASSERT_EQ(api.Open("realkey"), 3);
  ASSERT_EQ(api.OpenRec(), 1);
  EXPECT_EQ(Mark(api, 0).error, TEVRA_UPDATE_REFUSED);
  EXPECT_EQ(sql.Column("SELECT qsl_sent FROM realkey"), (std::vector<std::string>{"", ""}));
  // "qsoe" is the table of that name, never "qsoé" (which CP932 may spell
  // the same); the mark goes there alone.
  ASSERT_EQ(api.Open("qsoe"), 3);
  ASSERT_EQ(api.OpenRec(), 1);
  ASSERT_EQ(api.Seek(0), 1);
  EXPECT_STREQ(api.GetData(1), "PLAIN");
  EXPECT_EQ(Mark(api, 0).written, 1);
  EXPECT_EQ(sql.Column("SELECT qsl_sent FROM \"qsoé\""), std::vector<std::string>{""});
  EXPECT_EQ(sql.Column("SELECT qsl_sent FROM qsoe"), std::vector<std::string>{"P"});
  api.CloseRec();
  api.Close();
  // A mistyped database name is no new empty database.
  setenv("TEVRA_ODBC", ("Driver=SQLite3;Database=" + (dir.Path() / "lgo.db").string()).c_str(), 1);
  EXPECT_EQ(api.Table(nullptr), 0);
  unsetenv("TEVRA_ODBC");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "lgo.db"));
}

TEST(OdbcBridge, WideTablesLongRowsAndKeysStayWithinTheirLimits) {
  test::TempDir dir;
  const std::string connection = "Driver=SQLite3;Database=" + (dir.Path() / "wide.db").string();
  {
    Sql sql(connection);
    ASSERT_TRUE(sql.Connected());
    std::string create = "CREATE TABLE wide (id INTEGER PRIMARY KEY";
    for (int c = 1; c <= 40; ++c) create += ", c" + std::to_string(c) + " TEXT";
    ASSERT_TRUE(sql.Run(create + ")"));
    // 40 fields of 400 bytes: 16 KB in one row.
    std::string insert = "INSERT INTO wide (c1";
    for (int c = 2; c <= 40; ++c) insert += ", c" + std::to_string(c);
    insert += ") VALUES ('JA1ABC'";
    for (int c = 2; c <= 40; ++c) insert += ", '" + std::string(400, 'x') + "'";
    ASSERT_TRUE(sql.Run(insert + ")"));
  }
  test::ScriptedUi ui;
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(std::string(TEVRA_BRIDGE_DIR) + "/", ui));
  const DbBridgeApi& api = bridge.Api();
  setenv("TEVRA_ODBC", connection.c_str(), 1);
  ASSERT_EQ(api.Table(nullptr), 1);
  unsetenv("TEVRA_ODBC");
  EXPECT_EQ(api.Open(api.GetTableList(0)), 32);  // the first 32 of 41 columns
  EXPECT_EQ(api.GetNameList(32), nullptr);
  ASSERT_EQ(api.OpenRec(), 1);
  char buffer[8192];
  ASSERT_TRUE(api.ListText(buffer, sizeof buffer));
  EXPECT_EQ(std::string(buffer).size(), sizeof buffer - 1);  // cut at the buffer, NUL-terminated
  EXPECT_EQ(api.CanUpdate(0), 0);  // the key column is never written
  EXPECT_EQ(api.CanUpdate(1), 1);
  EXPECT_EQ(api.CanUpdate(32), 0);  // beyond the fields
  EXPECT_EQ(api.Update(0, "99"), 0);
  api.CloseRec();
  api.Close();
}

}  // namespace
}  // namespace tevra
