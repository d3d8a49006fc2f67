// Writers of the binary log formats for tests and examples: each builds a
// file from field values, so that every byte of a fixture is explained.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tevra::test {

inline void Put16(std::string& s, std::size_t at, unsigned v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}
// Text into a fixed field, NUL-padded (cut to the field).
inline void PutText(std::string& s, std::size_t at, std::size_t size, const std::string& text) {
  for (std::size_t i = 0; i < size; ++i) s[at + i] = i < text.size() ? text[i] : '\0';
}
// Text into a fixed field, blank-padded.
inline void PutBlankPadded(std::string& s, std::size_t at, std::size_t size, const std::string& text) {
  for (std::size_t i = 0; i < size; ++i) s[at + i] = i < text.size() ? text[i] : ' ';
}

// --- KUVAL data (.mdt): 256-byte header, 256-byte records --------------------
struct MdtQso {
  int year = 24, month = 11, day = 3;
  unsigned start = 0;  // units of 2 seconds
  unsigned end = 0;
  std::string call, rst, user1, received, user2;
  int band = 0, detail = 0, mode = 0;
  std::string power, name, qth, myQsl;
  char sent = 0, rcvd = 0, mark = 0;
  unsigned env = 0;
  std::string remark, opt1, opt2;
};

inline std::string MdtFile(const std::vector<MdtQso>& qsos, const std::vector<std::pair<int, std::string>>& userModes = {},
                           long countOverride = -1) {
  std::string file(256, '\0');
  Put32(file, 28, countOverride >= 0 ? static_cast<std::uint32_t>(countOverride) : static_cast<std::uint32_t>(qsos.size()));
  for (const auto& [code, name] : userModes) PutText(file, static_cast<std::size_t>(code - 40) * 6, 6, name);
  for (const MdtQso& q : qsos) {
    std::string r(256, '\0');
    r[0] = static_cast<char>(q.year);
    Put16(r, 1, static_cast<unsigned>(q.month * 100 + q.day));
    Put16(r, 3, q.start);
    Put16(r, 5, q.end);
    PutText(r, 7, 17, q.call);
    PutText(r, 24, 12, q.rst);
    if (!q.user1.empty()) PutText(r, 36, 9, q.user1);
    PutText(r, 45, 12, q.received);
    if (!q.user2.empty()) PutText(r, 57, 9, q.user2);
    r[66] = static_cast<char>(q.band);
    Put16(r, 67, static_cast<unsigned>(q.detail) & 0xFFFF);
    r[69] = static_cast<char>(q.mode);
    PutText(r, 70, 5, q.power);
    PutText(r, 75, 17, q.name);
    PutText(r, 92, 29, q.qth);
    PutText(r, 121, 55, q.myQsl);
    r[176] = q.sent;
    r[177] = q.rcvd;
    r[178] = q.mark;
    Put16(r, 179, q.env);
    PutText(r, 181, 57, q.remark);
    PutText(r, 238, 9, q.opt1);
    PutText(r, 247, 9, q.opt2);
    file += r;
  }
  return file;
}

// --- LOG200 (.l2): 200-byte records of 0x1E-separated fields, CR LF --------
inline std::string L2Record(const std::vector<std::string>& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text.push_back('\x1E');
    text += fields[i];
  }
  text.resize(198, ' ');
  return text + "\r\n";
}

// --- HAMLOG (.dbs with .DBR) --------------------------------------------------
struct DbsQso {
  char flag = ' ';
  std::string call, designator, code, grid;
  std::uint8_t freq[4] = {' ', ' ', ' ', ' '};
  std::string mode, name;
  char route = ' ', sent = ' ', rcvd = ' ';
  int year = 24, month = 11, day = 3, hour = 12, minute = 0;
  bool utc = false;
  int rstNumber = 59;
  char rstThird = ' ';
  int receivedNumber = 59;
  char receivedThird = ' ';
  std::string qth, remark1, remark2;  // the .DBR texts
  long dbrOffsetOverride = -1;
};

inline void DbsFrequencyText(DbsQso& q, const std::string& text) {
  for (int i = 0; i < 4; ++i) q.freq[i] = static_cast<std::uint8_t>(i < static_cast<int>(text.size()) ? text[i] : ' ');
}

// The .dbs and .DBR files for the QSOs.
inline std::pair<std::string, std::string> DbsFiles(const std::vector<DbsQso>& qsos, long countOverride = -1) {
  std::string dbs(449, '\0');
  dbs[0] = 0x03;
  Put32(dbs, 4, countOverride >= 0 ? static_cast<std::uint32_t>(countOverride) : static_cast<std::uint32_t>(qsos.size()));
  Put16(dbs, 8, 449);
  Put16(dbs, 10, 58);
  std::string dbr(16, '\0');  // texts start after a few bytes, so that no offset is 0
  for (const DbsQso& q : qsos) {
    std::string r(58, ' ');
    r[0] = q.flag;
    PutBlankPadded(r, 1, 7, q.call);
    PutBlankPadded(r, 8, 3, q.designator);
    PutBlankPadded(r, 11, 6, q.code);
    PutBlankPadded(r, 17, 6, q.grid);
    for (int i = 0; i < 4; ++i) r[23 + i] = static_cast<char>(q.freq[i]);
    PutBlankPadded(r, 27, 3, q.mode);
    PutBlankPadded(r, 30, 12, q.name);
    r[42] = q.route;
    r[43] = q.sent;
    r[44] = q.rcvd;
    r[45] = static_cast<char>(q.year);
    r[46] = static_cast<char>(q.month);
    r[47] = static_cast<char>(q.day);
    r[48] = static_cast<char>(q.hour);
    r[49] = static_cast<char>(q.minute | (q.utc ? 0x80 : 0));
    r[50] = static_cast<char>(q.rstNumber);
    r[51] = q.rstThird;
    r[52] = static_cast<char>(q.receivedNumber);
    r[53] = q.receivedThird;
    std::uint32_t offset = 0;
    if (!q.qth.empty() || !q.remark1.empty() || !q.remark2.empty()) {
      offset = static_cast<std::uint32_t>(dbr.size());
      dbr.push_back(static_cast<char>(q.qth.size()));
      dbr.push_back(static_cast<char>(q.remark1.size()));
      dbr.push_back(static_cast<char>(q.remark2.size()));
      dbr += q.qth + q.remark1 + q.remark2;
    }
    Put32(r, 54, q.dbrOffsetOverride >= 0 ? static_cast<std::uint32_t>(q.dbrOffsetOverride) : offset);
    dbs += r;
  }
  return {dbs, dbr};
}

// --- HAMLOG version 5 (.hdb) ---------------------------------------------------
struct HdbQso {
  char flag = ' ';
  std::string call, portable;
  int year = 24, month = 11, day = 3, hour = 12, minute = 0;
  bool utc = false;
  std::string code, grid;
  std::string qsl = "   ";  // route, sent, received
  std::uint8_t flags = 0;
  std::string rst, received, freq, mode, name, qth, remark1, remark2;
};

inline const std::vector<int>& HdbWidths() {
  static const std::vector<int> widths = {8, 12, 4, 2, 6, 6, 3, 2, 3, 3, 7, 4, 12, 28, 54, 54};
  return widths;
}

inline std::string HdbFile(const std::vector<HdbQso>& qsos, std::uint8_t version = 0x1A, long countOverride = -1) {
  const auto& widths = HdbWidths();
  static const char* names[] = {"CALLS", "IGN", "DATE", "TIME", "CODE", "GL", "QSL", "FLAG",
                                "HIS", "MY", "FREQ", "MODE", "NAME", "QTH", "RMK1", "RMK2"};
  const std::size_t headerLength = 32 + 32 * widths.size() + 1;
  std::size_t recordLength = 1;
  for (int w : widths) recordLength += static_cast<std::size_t>(w);
  std::string file(32, '\0');
  file[0] = static_cast<char>(version);
  Put32(file, 4, countOverride >= 0 ? static_cast<std::uint32_t>(countOverride) : static_cast<std::uint32_t>(qsos.size()));
  Put16(file, 8, static_cast<unsigned>(headerLength));
  Put16(file, 10, static_cast<unsigned>(recordLength));
  for (std::size_t i = 0; i < widths.size(); ++i) {
    std::string d(32, '\0');
    PutText(d, 0, 11, names[i]);
    d[11] = 'C';
    d[16] = static_cast<char>(widths[i]);
    file += d;
  }
  file.push_back('\x0D');
  for (const HdbQso& q : qsos) {
    std::string r(1, q.flag);
    auto field = [&r, &widths](std::size_t i, const std::string& value) {
      std::string v = value;
      v.resize(static_cast<std::size_t>(widths[i]), ' ');
      r += v;
    };
    field(0, q.call);
    field(1, q.portable);
    field(2, std::string{'\0', static_cast<char>(q.year), static_cast<char>(q.month), static_cast<char>(q.day)});
    field(3, std::string{static_cast<char>(q.hour), static_cast<char>(q.minute | (q.utc ? 0x80 : 0))});
    field(4, q.code);
    field(5, q.grid);
    field(6, q.qsl);
    field(7, std::string{static_cast<char>(q.flags), '\0'});
    field(8, q.rst);
    field(9, q.received);
    field(10, q.freq);
    field(11, q.mode);
    field(12, q.name);
    field(13, q.qth);
    field(14, q.remark1);
    field(15, q.remark2);
    file += r;
  }
  return file;
}

}  // namespace tevra::test
