#pragma once

#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QSizeF>

// The reading line: a cue at the height of the page where the reader's eyes should rest. It is
// drawn in the page's side margins (the gutters), which the page keeps free of text while a cue
// is shown, so it never covers the text it points at.
enum class CueStyle { Arrow, Band };

struct ReadingLine {
    bool onPrompter = false;
    bool onTalent = false;
    double height = 1.0 / 3; // from the reader's top of the view: a third down, the broadcast habit
    CueStyle style = CueStyle::Arrow;
    QColor colour = QColor(255, 204, 0);
    int opacity = 80; // percent
    bool operator==(const ReadingLine &other) const = default;

    static constexpr int minOpacity = 10;
    static constexpr int maxOpacity = 100;
    // The width of each side margin kept free of text, in pixels of the page's layout.
    static constexpr int gutter = 40;
};

// The colours offered for the cue, each with the string table's name for it.
struct CueColour {
    const char *name;
    QColor colour;
};
const QList<CueColour> &cuecolours();

// The shapes of the cue in a view of `view` pixels whose gutters are `gutter` pixels wide: an arrow
// in the left gutter pointing at the text, or a band of two bars, one in each gutter. On a view
// turned upside down the reader's top is the view's bottom.
QList<QPolygonF> readingcueshapes(const QSizeF &view, double gutter, const ReadingLine &line,
                                  bool upsideDown);
