#include "import/kuval_text_reader.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace tevra {
namespace {

TEST(KuvalLine, EveryFieldLandsInItsPlace) {
  QsoRecord r;
  ASSERT_TRUE(ParseKuvalLine(
      "2024.11.3,0930.15,JA1ABC,59,57,7.045,SSB,100,\x8E\x52\x93\x63,\"Minato, Tokyo\",rem,mq,0945,J,N,m,70,o1,o2",
      r));
  EXPECT_EQ(r.Year, 2024 % 256);  // the low 8 bits of the number
  EXPECT_EQ(r.Month, 11);
  EXPECT_EQ(r.Day, 3);
  EXPECT_EQ(r.Hour, 9);
  EXPECT_EQ(r.Minute, 30);
  EXPECT_EQ(FieldText(r.Call), "JA1ABC");
  EXPECT_EQ(FieldText(r.RstSent), "59");
  EXPECT_EQ(FieldText(r.Freq), "7.045");
  EXPECT_EQ(FieldText(r.Mode), "SSB");
  EXPECT_EQ(FieldText(r.Power), "100");
  EXPECT_EQ(FieldText(r.Name), "\x8E\x52\x93\x63");
  EXPECT_EQ(FieldText(r.Qth), "Minato, Tokyo");
  EXPECT_EQ(r.QslSent, 'J');
  EXPECT_EQ(r.QslRcvd, 'N');
  EXPECT_EQ(r.Env, 70);
  // Remarks in the order mQSL, REM, My, END, M, OPT, OPT2.
  EXPECT_EQ(FieldText(r.Remarks),
            "mQSL\xA2mq\xA3 REM\xA2rem\xA3 My\xA2" "57\xA3 END\xA2" "0945\xA3 M\xA2m\xA3 OPT\xA2o1\xA3 OPT2\xA2o2\xA3");
  EXPECT_EQ(FindTaggedItem(FieldText(r.Remarks), "My"), "57");
}

TEST(KuvalLine, MissingFieldsAreEmptyAndLongFieldsAreCut) {
  QsoRecord r;
  ASSERT_TRUE(ParseKuvalLine("24.1.2,1200.0," + std::string(40, 'K'), r));
  EXPECT_EQ(FieldText(r.Call), std::string(24, 'K'));
  EXPECT_EQ(FieldText(r.Remarks), "");
  EXPECT_EQ(r.QslSent, '\0');
  EXPECT_EQ(r.Env, 0);

  ASSERT_TRUE(ParseKuvalLine("24.1.2,1200.0,K1A,,,,,,,,,,,,,,x9", r));
  EXPECT_EQ(r.Env, 0);  // not a number
}

TEST(KuvalLine, BadDateOrTimeYieldsNoQso) {
  QsoRecord r;
  EXPECT_FALSE(ParseKuvalLine("", r));
  EXPECT_FALSE(ParseKuvalLine("24.1,1200.0,K1A", r));
  EXPECT_FALSE(ParseKuvalLine("24/1/2,1200.0,K1A", r));
  EXPECT_FALSE(ParseKuvalLine("24.1.2,1200,K1A", r));
  EXPECT_FALSE(ParseKuvalLine("24.1.2", r));
  EXPECT_FALSE(ParseKuvalLine("\x81", r));
  // A record left over from an earlier line is not carried over.
  EXPECT_EQ(FieldText(r.Call), "");
}

}  // namespace
}  // namespace tevra
