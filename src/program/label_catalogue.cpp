#include "program/label_catalogue.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>

#include "core/text.h"

namespace tevra {
namespace {

// The papers a layout can name, by the catalogue's names.
int PaperCode(const QString& name) {
  static const std::map<QString, int> codes = {{QStringLiteral("US-Letter"), 1}, {QStringLiteral("US-Legal"), 5},
                                               {QStringLiteral("A3"), 8},        {QStringLiteral("A4"), 9},
                                               {QStringLiteral("A5"), 11},       {QStringLiteral("B5"), 13},
                                               {QStringLiteral("A6"), 70}};
  const auto it = codes.find(name);
  return it == codes.end() ? 0 : it->second;
}

double Length(const QXmlStreamAttributes& a, const char* name) {
  return CatalogueLength(a.value(QLatin1String(name)).toString().toStdString()).value_or(0);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

std::optional<double> CatalogueLength(const std::string& text) {
  const QString t = QString::fromStdString(text).trimmed();
  static const std::pair<const char*, double> units[] = {{"mm", 1.0}, {"cm", 10.0}, {"in", 25.4}, {"pt", 25.4 / 72}};
  double factor = 25.4 / 72;  // a bare number is in points
  QString number = t;
  for (const auto& [unit, f] : units)
    if (t.endsWith(QLatin1String(unit))) {
      number = t.chopped(2);
      factor = f;
      break;
    }
  bool ok = false;
  const double value = number.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || value < 0 || value > 10000) return std::nullopt;
  return value * factor;
}

std::vector<LabelSheet> ParseLabelTemplates(const std::string& xml) {
  std::vector<LabelSheet> sheets;
  std::vector<std::pair<LabelSheet, std::string>> equivalents;  // the sheet and the part it copies
  QXmlStreamReader in(QByteArray::fromStdString(xml));
  LabelSheet sheet;
  bool inTemplate = false, usable = false;
  int layouts = 0;
  while (!in.atEnd()) {
    const auto token = in.readNext();
    const auto name = in.name();
    if (token == QXmlStreamReader::StartElement) {
      const QXmlStreamAttributes a = in.attributes();
      if (name == QLatin1String("Template")) {
        sheet = LabelSheet{};
        sheet.brand = a.value(QLatin1String("brand")).toString().toStdString();
        sheet.part = a.value(QLatin1String("part")).toString().toStdString();
        sheet.description = a.value(QLatin1String("_description")).toString().toStdString();
        if (sheet.description.empty()) sheet.description = a.value(QLatin1String("description")).toString().toStdString();
        sheet.paper = a.value(QLatin1String("size")).toString().toStdString();
        sheet.paperCode = PaperCode(a.value(QLatin1String("size")).toString());
        const QString equiv = a.value(QLatin1String("equiv")).toString();
        inTemplate = equiv.isEmpty();
        usable = false;
        layouts = 0;
        if (!equiv.isEmpty()) equivalents.emplace_back(sheet, equiv.toStdString());
      } else if (inTemplate && (name == QLatin1String("Label-rectangle") || name == QLatin1String("Label-round"))) {
        usable = true;
        if (name == QLatin1String("Label-round")) {
          sheet.labelWidth = sheet.labelHeight = 2 * Length(a, "radius");
        } else {
          sheet.labelWidth = Length(a, "width");
          sheet.labelHeight = Length(a, "height");
        }
      } else if (inTemplate && usable && name == QLatin1String("Layout")) {
        ++layouts;
        sheet.columns = a.value(QLatin1String("nx")).toInt();
        sheet.rows = a.value(QLatin1String("ny")).toInt();
        sheet.left = Length(a, "x0");
        sheet.top = Length(a, "y0");
        sheet.columnPitch = Length(a, "dx");
        sheet.rowPitch = Length(a, "dy");
      }
    } else if (token == QXmlStreamReader::EndElement && name == QLatin1String("Template") && inTemplate) {
      inTemplate = false;
      // One grid of labels on a paper a layout can name; a sheet with two
      // grids (staggered labels) has no place in the tack-seal form.
      if (usable && layouts == 1 && sheet.paperCode != 0 && sheet.columns > 0 && sheet.rows > 0 &&
          sheet.labelWidth > 0 && sheet.labelHeight > 0)
        sheets.push_back(sheet);
    }
  }
  for (auto& [copy, part] : equivalents) {
    const auto it = std::find_if(sheets.begin(), sheets.end(),
                                 [&](const LabelSheet& s) { return s.brand == copy.brand && s.part == part; });
    if (it == sheets.end()) continue;
    LabelSheet named = *it;
    named.part = copy.part;
    if (!copy.description.empty()) named.description = copy.description;
    sheets.push_back(std::move(named));
  }
  return sheets;
}

std::vector<LabelSheet> ReadLabelCatalogue(const std::string& folder) {
  std::vector<LabelSheet> all;
  const QDir dir(QString::fromStdString(folder));
  for (const QString& file : dir.entryList({QStringLiteral("*templates.xml")}, QDir::Files, QDir::Name)) {
    QFile f(dir.filePath(file));
    // The catalogue's files are a few hundred kilobytes; anything far beyond
    // is no catalogue.
    if (f.size() > (64 << 20) || !f.open(QIODevice::ReadOnly)) continue;
    std::vector<LabelSheet> sheets = ParseLabelTemplates(f.readAll().toStdString());
    all.insert(all.end(), std::make_move_iterator(sheets.begin()), std::make_move_iterator(sheets.end()));
  }
  std::stable_sort(all.begin(), all.end(), [](const LabelSheet& a, const LabelSheet& b) {
    return std::make_pair(Lower(a.brand), Lower(a.part)) < std::make_pair(Lower(b.brand), Lower(b.part));
  });
  return all;
}

std::vector<const LabelSheet*> FindSheets(const std::vector<LabelSheet>& sheets, const std::string& words) {
  std::vector<std::string> wanted;
  for (const QString& w : QString::fromStdString(words).split(QChar(' '), Qt::SkipEmptyParts))
    wanted.push_back(Lower(w.toStdString()));
  std::vector<const LabelSheet*> found;
  for (const LabelSheet& s : sheets) {
    const std::string text = Lower(s.brand + " " + s.part + " " + s.description);
    if (std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return text.find(w) != std::string::npos; }))
      found.push_back(&s);
  }
  return found;
}

const LabelSheet* SheetNamed(const std::vector<LabelSheet>& sheets, const std::string& name) {
  const std::string wanted = Lower(name);
  for (const LabelSheet& s : sheets)
    if (Lower(s.Name()) == wanted) return &s;
  return nullptr;
}

void FillDialogs(const LabelSheet& sheet, QslFormDialog& form, TackSealDialog& tack) {
  form.ChooseForm(FormTackSeal);
  form.Form = FormTackSeal;
  form.Width = static_cast<int>(std::lround(sheet.labelWidth));
  form.Height = static_cast<int>(std::lround(sheet.labelHeight));
  form.LeftMargin = std::round(sheet.left * 100) / 100;
  form.TopMargin = std::round(sheet.top * 100) / 100;
  tack.Columns = sheet.columns;
  tack.Rows = sheet.rows;
  // A single column or row has no pitch of its own: the label's size.
  tack.ColumnPitch = sheet.columns > 1 ? sheet.columnPitch : sheet.labelWidth;
  tack.RowPitch = sheet.rows > 1 ? sheet.rowPitch : sheet.labelHeight;
}

bool ApplySheet(const LabelSheet& sheet, DocumentSettings& settings) {
  QslFormDialog form(settings);
  TackSealDialog tack(settings);
  FillDialogs(sheet, form, tack);
  if (!form.Valid() || !tack.Valid()) return false;
  form.Accept(settings);
  tack.Accept(settings);
  settings.PaperSize = sheet.paperCode;
  settings.PaperOrientation = 1;
  return true;
}

}  // namespace tevra
