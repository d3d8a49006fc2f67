#include "program/options_dialog.h"

#include <array>

#include "program/program.h"
#include "core/messages.h"
#include "core/text.h"
#include "merge/condition_templates.h"
#include "merge/part_mark.h"
#include "core/translatable.h"

namespace tevra {
namespace {

// The merge variable names, from "ToCall" to "Table".

constexpr std::array<std::string_view, 3> kTimeTypes = {QT_TRANSLATE_NOOP("Tevra", "自動"), QT_TRANSLATE_NOOP("Tevra", "常にＪＳＴ"), QT_TRANSLATE_NOOP("Tevra", "常にＵＴＣ")};

}  // namespace

OptionsDialog::OptionsDialog(Program& program) : program_(program) {
  const ProgramSettings& s = program.settings;
  values.skipSendMark = s.load.skipSendMark;
  values.loadCond = s.load.loadCond;
  values.sendMark = s.sendMark;
  values.timeType = s.timeType;
  values.makeContItem = s.makeContItem;
  values.repCallPack = s.repCallPack;
  values.repEnvPack = s.repEnvPack;
  values.backup = s.backup;
  values.clipCheck = s.clipCheck;
  values.disLogNewTime = s.disLogNewTime;
  values.partMark = s.partMark;
  values.invRotFont = s.invRotFont;
  values.includeDoc = s.includeDoc;
  values.language = s.language;
}

std::span<const std::string_view> OptionsDialog::ConditionChoices() { return kConditionTemplates; }

std::span<const std::string_view> OptionsDialog::PartMarkChoices() { return PartMarkNames(); }

std::span<const std::string_view> OptionsDialog::TimeTypeLabels() { return kTimeTypes; }

namespace {
constexpr std::array<std::string_view, 3> kLanguageLabels = {QT_TRANSLATE_NOOP("Tevra", "システムの設定に従う"), "日本語",
                                                             "English"};
constexpr std::array<std::string_view, 3> kLanguageCodes = {"", "ja", "en"};
}  // namespace

std::span<const std::string_view> OptionsDialog::LanguageLabels() { return kLanguageLabels; }
std::span<const std::string_view> OptionsDialog::LanguageCodes() { return kLanguageCodes; }

void OptionsDialog::RemoveRegistration() { program_.RemoveRegistration(); }

std::optional<std::string_view> OptionsDialog::Check() const {
  if (SkipBlanks(values.sendMark).empty()) return msg::kSendMarkMissing;
  return std::nullopt;
}

bool ApplyOptions(const OptionsDialog& dialog, Document& doc) {
  ProgramSettings& s = doc.program.settings;
  const OptionsDialog::Values& v = dialog.values;
  const bool regroup = v.repEnvPack != s.repEnvPack || v.repCallPack != s.repCallPack || v.partMark != s.partMark;
  s.load.skipSendMark = v.skipSendMark;
  s.load.loadCond = v.loadCond;
  if (!SkipBlanks(v.sendMark).empty()) s.sendMark = std::string(SkipBlanks(v.sendMark));
  s.timeType = v.timeType >= 0 && v.timeType <= 2 ? v.timeType : 0;
  s.makeContItem = v.makeContItem;
  s.repCallPack = v.repCallPack;
  s.repEnvPack = v.repEnvPack;
  s.backup = v.backup;
  s.clipCheck = v.clipCheck;
  s.disLogNewTime = v.disLogNewTime;
  s.partMark = v.partMark;
  s.invRotFont = v.invRotFont;
  s.includeDoc = v.includeDoc;
  s.language = v.language;
  doc.ApplyGrouping();  // also takes the new time basis
  if (regroup) {
    doc.store.Regroup();
    doc.ReadCurrentCard();
  }
  doc.context.MessageShown = false;
  return s.includeDoc;
}

}  // namespace tevra
