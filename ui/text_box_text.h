#pragma once

#include <QString>

class QPlainTextEdit;

namespace ledglyph {

// A text box holds a line break as one character; the program's texts (the
// input it counts and converts, hz.txt, the help text) write it as the two
// characters CR LF. These functions translate for the main window's boxes;
// text files read by the command-line programs and the download window's help
// file translate on their own. Messages break their lines with line feeds alone.

// The box's text with every line break as CR LF. Every other character is
// returned as stored (no-break spaces stay no-break spaces).
QString crLfText(const QPlainTextEdit &box);

// Output box: shows a CR LF text exactly. CR LF pairs become line breaks; a
// lone CR or LF (hz.txt holds them when the input held a line break, in the
// comment naming that character) is shown as the symbol ␍ or ␊.
void showExactText(QPlainTextEdit &box, const QString &text);

// Removes the last character the box holds: a whole line break, a whole
// surrogate pair, or one other character. Returns false when the box is empty.
bool removeLastCharacter(QPlainTextEdit &box);

// Gives the box the keyboard focus and puts the caret after its last character.
void focusAtEnd(QPlainTextEdit &box);

} // namespace ledglyph
