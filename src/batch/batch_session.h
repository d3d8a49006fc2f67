// A command line run's program and document: the settings read, the
// questions answered from the options, the layout and the log loaded.
#pragma once

#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "batch/batch_options.h"
#include "batch/console_ui.h"
#include "card/layout_document.h"
#include "program/program.h"

namespace tevra {

class Printer;

// The program and its document as a command line run sets them up.
struct Session {
  explicit Session(std::FILE* err) : ui(err, "tevra-batch") {}
  ConsoleUi ui;
  std::unique_ptr<Program> program;
  std::unique_ptr<Printer> printer;
  std::unique_ptr<Document> doc;
  bool noFormulas = false;
  // LogEncoding as the settings file has it: --encoding is for this run only.
  std::optional<TextEncoding> savedEncoding;
};

// Reads the settings and makes the document; 0 or the exit code.
int StartSession(const BatchOptions& batch, Session& session, std::unique_ptr<Printer> printer, std::FILE* err);
// Loads the log the command line names (a file, a table or a plug-in's
// source); 0 or the exit code.
int LoadLog(const BatchOptions& batch, Session& session, const std::string& path, std::FILE* err);
// Loads a log as the command line says and hands it over.
int WithLoadedLog(const BatchOptions& batch, const std::string& path, std::FILE* err,
                  const std::function<int(Document&)>& use);
// The built-in example postcard, or a layout file.
bool ObtainLayout(const std::string& layout, LayoutDocument& doc, std::FILE* err);
// Qt for drawing without a display.
std::unique_ptr<QGuiApplication> StartQt();
// --sheet: puts the catalogue's sheet into the layout's values; false (and
// says why) when there is no catalogue or no such sheet.
bool ApplySheetOption(const BatchOptions& batch, DocumentSettings& settings, std::FILE* err);
// --list-sheets.
int ListSheets(const std::string& words, std::FILE* out, std::FILE* err);

}  // namespace tevra
