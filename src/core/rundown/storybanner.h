#pragma once

#include <QString>
#include <QStringList>

// The banner that starts each story of a continuous page: the story's number, its name and its
// reading time, in a style of its own (a dark band, amber letters, smaller than the script). It
// is a script line of markup that carries the attribute data-vantell-banner, which survives the
// page's capitals (attribute names do not change with case), so that the page, voice following
// and the reading times know it is no text to read.
struct StoryBanner {
    QString number; // as the show numbers it ("3", "A12")
    QString name;
    qint64 readingMs = -1; // none shown when negative (a story whose text has not come)
    QString note;          // after the rest, when there is one
};

// The banner's script line.
QString bannerline(const StoryBanner &banner);

// Whether a script or page line holds a story's banner.
bool isbannerline(const QString &line);

// The end tags that close, innermost first, the elements `lines` (a story's markup) leave open, so
// that a story's unclosed bold or colour does not run on into the banner and the story after it.
// Elements HTML closes by itself (a paragraph before a block, a list item before the next) are
// followed as the page's parser follows them; void elements and comments open nothing.
QString closingtags(const QStringList &lines);
