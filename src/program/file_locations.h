// Where the user's files are found and where they go: the folder the layout
// dialogs start in, the name a new layout is offered under, the user's own
// copy of the entity definitions, and the PDF file a print without a
// printer writes. Paths are UTF-8.
#pragma once

#include <string>

namespace tevra {

// The folder the layout dialogs start in: the last one used while it still
// exists, else the user's documents folder, else the home folder. Never the
// program's own folder, which once installed is no place for layouts.
std::string LayoutDialogFolder(const std::string& lastUsed, const std::string& documents, const std::string& home);

// The file a save offers: the document's own path; else its title as a file
// name in folder ("/" and other characters that file names cannot hold
// become "-"), else "untitled.tvd" there.
std::string ProposedLayoutPath(const std::string& path, const std::string& titleUtf8, const std::string& folder);

// The folder a chosen file is in, kept for the next dialog.
std::string FolderOf(const std::string& path);

// The user's data folder: $XDG_DATA_HOME, else ~/.local/share.
std::string UserDataHome();

// The entity definitions the program reads: the user's copy when there is
// one, else the program's file.
std::string EntityFileInUse(const std::string& programDirectory);

// The user's copy of the entity definitions ("tevra/ARRL.DX" in the data
// folder, ~/.local/share): the file the program reads once it exists.
std::string UserEntityFile(const std::string& dataHome);

// The entity definitions the editor is to open: the user's copy when there
// is one; the program's file when the user may write it; else a copy of the
// program's file made now in the data folder. Empty, with *error saying why,
// when that copy could not be made.
std::string EditableEntityFile(const std::string& programFile, const std::string& dataHome, std::string* error);

// The PDF file a print without a printer writes: the last one chosen, else
// "TEVRA.pdf" in the documents folder.
std::string DefaultPrintFile(const std::string& lastChosen, const std::string& documents);

}  // namespace tevra
