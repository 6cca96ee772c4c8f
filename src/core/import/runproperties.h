#pragma once

#include <optional>

#include <QColor>
#include <QString>
#include <QTextCharFormat>

// Character properties as the word processors' styles give them: each one set, or left to what
// the style is based on. An invalid colour is the automatic one.
struct RunProperties {
    QString style; // the character style a run names
    std::optional<bool> bold, italic, underline, strike, hidden;
    std::optional<QColor> color;
    std::optional<qreal> points;
    std::optional<QString> face;

    // Takes every property `over` sets.
    void mergeFrom(const RunProperties &over);
    // The format of text with these properties; automatic colour sets no foreground, so the
    // text shows in the page's own.
    QTextCharFormat format() const;
};
