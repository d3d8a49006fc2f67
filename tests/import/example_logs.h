// The binary example logs in examples/, built by the test writers so that
// every byte is explained. tools/make_examples writes them; a test checks
// that the committed files are still what the writers produce.
#pragma once

#include <map>
#include <string>

#include "core/encoding.h"
#include "import/log_writers.h"

namespace tevra::test {

inline std::map<std::string, std::string> ExampleLogs() {
  std::map<std::string, std::string> files;
  const auto sj = [](const char* utf8) { return FromUnicode(utf8); };

  // KUVAL data: a Japanese QSO with a name, a DX QSO via a manager, a
  // portable station; times in JST.
  MdtQso a;
  a.start = 9 * 1800 + 30 * 30;  // 09:30
  a.end = 9 * 1800 + 45 * 30;    // 09:45
  a.call = "JA1ABC";
  a.rst = "59";
  a.received = "59";
  a.band = 4;
  a.detail = 45;
  a.mode = 2;
  a.power = "100";
  a.name = sj("山田");
  a.qth = sj("東京都港区");
  a.remark = sj("初QSO");
  MdtQso b = a;
  b.call = "VK2XYZ";
  b.rst = "599";
  b.received = "579";
  b.band = 6;
  b.detail = 25;
  b.mode = 1;
  b.name = "Bob";
  b.qth = "Sydney";
  b.remark = "QSL[JA1MGR]";
  MdtQso c = a;
  c.call = "JA8AAA/1";
  c.band = 13;
  c.detail = 500;
  c.mode = 4;
  c.name = sj("鈴木");
  c.qth = sj("札幌市");
  c.remark = sj("移動運用");
  c.sent = 'J';
  files["sample.mdt"] = MdtFile({a, b, c});

  // LOG200.
  files["sample.l2"] =
      L2Record({"241103", "0930", "0945", "JA1ABC", "7.045", "SSB", "59", "59", sj("東京都港区"), sj("山田"), "IC-705",
                "", sj("初QSO") + " Pow\xA2" "50W\xA3", "", "", "", ""}) +
      L2Record({"241104", "2105", "", "W1AW/4", "21.250", "SSB", "59", "57", "Newington", "Hiram", "", "", "QSL[W1MGR]",
                "", "", "J", ""});

  // HAMLOG with its remark file: a UTC time, a "$DX" designator, a no-card route.
  DbsQso d;
  d.call = "JA1ABC";
  DbsFrequencyText(d, "7.04");
  d.mode = "SSB";
  d.name = sj("山田");
  d.hour = 9;
  d.minute = 30;
  d.qth = sj("東京都港区");
  d.remark1 = sj("初QSO");
  DbsQso e;
  e.call = "W1AW";
  DbsFrequencyText(e, "14.0");
  e.mode = "CW";
  e.name = "Hiram";
  e.hour = 21;
  e.minute = 5;
  e.utc = true;
  e.rstThird = '9';
  e.receivedThird = '9';
  e.remark1 = "QSL[JA1MGR]";
  DbsQso f = d;
  f.call = "JA1ABC";
  f.designator = "KH6";
  f.remark1 = "$DX";
  f.route = 'N';
  auto [dbs, dbr] = DbsFiles({d, e, f});
  files["sample.dbs"] = dbs;
  files["sample.DBR"] = dbr;

  // HAMLOG version 5.
  HdbQso g;
  g.call = "JA1AB";
  g.portable = "C 3";
  g.rst = "59";
  g.received = "59";
  g.freq = "430.50";
  g.mode = "FM";
  g.name = sj("山田");
  g.qth = sj("東京都港区");
  HdbQso h = g;
  h.call = "JA1ABC";
  h.portable = " KH6/";
  h.flags = 0x0A;
  h.utc = true;
  h.hour = 23;
  h.freq = "14.025";
  h.mode = "CW";
  h.name = "Taro";
  h.remark1 = "QSL[JA1MGR]";
  files["sample.hdb"] = HdbFile({g, h});
  return files;
}

}  // namespace tevra::test
