#pragma once

#include <QStringList>
#include <QTextListFormat>

struct ImportedText;

// The mark of each paragraph of `text`, counted through the document as word processors count:
// an item takes the next number of its level (or the number a restart sets), and the levels
// below it start again. Empty for a paragraph that is no list item.
QStringList listlabels(const ImportedText &text);

// `number` written as a list of `style` numbers it: 3 as "3", "c", "C", "iii" or "III".
QString listnumber(int number, QTextListFormat::Style style);
