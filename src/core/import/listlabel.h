#pragma once

#include <QString>
#include <QTextFormat>

class QTextBlock;

// The block property in which an imported list item keeps the mark its document gives it.
inline constexpr int listLabelProperty = QTextFormat::UserProperty + 1;

// The mark a list item shows before its text ("1.", "a)", "II.", "1.2.", "•"), or empty for a
// paragraph that is no list item or an item of a list without marks: the mark its document gave
// it when it was imported, else the one its list's style gives.
QString listlabel(const QTextBlock &block);
