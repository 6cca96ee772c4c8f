#pragma once

#include <QString>

#include "core/import/importedtext.h"

// Reads a Markdown or an HTML file through Qt's own readers: its paragraphs, headings, lists and
// table cells, each run with its face, size, style and colour (sizes the markup gives relative to
// the text, such as a heading's, counted from 12 points); pictures are left out and nothing the
// markup refers to is fetched. Throws std::runtime_error when the file cannot be read.
ImportedText readmarkdown(const QString &path);
ImportedText readhtml(const QString &path);
