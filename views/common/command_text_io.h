// Command lines between the command grids and the outside: the clipboard
// (Ctrl+C, Ctrl+X, Ctrl+V), a command line typed into a grid's "Command
// line" cell, and "Import program..." (a program list or a text file of
// command lines). Both command grids, the movie object's and the menu
// button's, use these; the text is read by nav/program_text.h.
#pragma once

#include <QString>
#include <optional>

#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;

// Ctrl+C and Ctrl+X: the command lines of `lines` go on the clipboard; the
// copy buffer keeps their words.
void putCommandLinesOnClipboard(const mirdal::CommandList& lines, mirdal::CommandContext context);

// Ctrl+V: the copy buffer while the clipboard holds its command lines (or no
// text), else the clipboard's lines assembled. A text that does not
// assemble gives nothing, and the status line says why.
std::optional<mirdal::CommandList> linesToPaste(const mirdal::CommandList& buffer);

// A command line typed into the "Command line" cell: its command, or
// nothing with the reason on the status line (the line keeps its command).
std::optional<mirdal::NavCommand> typedCommand(const QString& text);

// "Import program...": the lines of the file the user chooses, the dialog
// starting in the output folder when one is set, else in the disc folder;
// nothing when the choice is cancelled or the file is no program (the user
// is told why).
std::optional<mirdal::CommandList> chooseProgramFile(Interaction& ia, const mirdal::Workspace& ws);

enum class ImportPlace { Replace, Insert, Cancel };
// Whether the imported lines replace a program that has lines or go after
// its selected lines; an empty program is simply filled.
ImportPlace askImportPlace(Interaction& ia, bool programEmpty);

}  // namespace mirdal::gui
