#pragma once

#include <QString>

#include "core/import/importedtext.h"

// Reads an OpenDocument text (.odt): the text of its body with the formatting its styles give it.
// Left out, as nothing the speaker reads aloud: comments, deleted text of tracked changes,
// headers and footers (kept apart in the styles), footnotes and endnotes, pictures, drawings and
// their text boxes, and hidden text; fields show the result they hold. Tables are read cell by
// cell, each paragraph of a cell a paragraph. Throws std::runtime_error for a file it cannot read.
ImportedText readodt(const QString &path);
