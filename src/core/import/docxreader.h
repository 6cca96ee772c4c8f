#pragma once

#include <QString>

#include "core/import/importedtext.h"

// Reads a WordprocessingML document (.docx): the text of its body with the formatting its styles
// and direct formatting give it. Left out, as nothing the speaker reads aloud: comments, deleted
// text of tracked changes, headers and footers, footnotes and endnotes, pictures and drawings
// (their text boxes too), hidden text and fields' codes (their shown results are kept). Tables
// are read cell by cell, each paragraph of a cell a paragraph. Throws std::runtime_error for
// a file it cannot read.
ImportedText readdocx(const QString &path);
