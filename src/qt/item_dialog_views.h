// The item dialogs on screen: thin views over the models of
// card/item_dialogs.h. Each returns true when closed with OK (the model
// then holds the edits).
#pragma once

#include <QFont>
#include <QWidget>

#include "card/item_dialogs.h"

namespace tevra {

// The layout's font record as a Qt font for the dialogs, and back: the
// installed faces stand in for the Windows ones and keep their names.
QFont ToQFont(const FontRecord& record);
FontRecord FromQFont(const QFont& font, const FontRecord& base);

bool RunPenDialog(PenDialog& dialog, QWidget* parent);
// The font chooser, then the colour; false when either is cancelled.
bool RunFontDialog(FontRecord& font, Colour& colour, QWidget* parent);
bool RunColourDialog(Colour& colour, QWidget* parent, const QString& title);
// The own table of a string, text box or data mark: rows of condition and text.
bool RunTableEditor(ConditionTable& table, QWidget* parent);
bool RunTextItemDialog(TextItemDialog& dialog, QWidget* parent);
bool RunDataMarkDialog(DataMarkDialog& dialog, QWidget* parent);
bool RunJarlFrameDialog(JarlFrameDialog& dialog, QWidget* parent);
bool RunConditionDialog(ConditionDialog& dialog, QWidget* parent);

}  // namespace tevra
