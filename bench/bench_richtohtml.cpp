// Times the rich text to HTML conversion of generated scripts: paragraphs of about 200
// characters whose character format changes every four words.

#include <algorithm>
#include <cstdio>
#include <limits>

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCursor>
#include <QTextEdit>

#include "core/render/richtohtml.h"

namespace {
QList<QTextCharFormat> scriptFormats()
{
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    QTextCharFormat large;
    large.setFontPointSize(28);
    large.setFontItalic(true);
    return {plain, bold, red, large};
}

void fillScript(QTextDocument *document, int paragraphs)
{
    const QList<QTextCharFormat> formats = scriptFormats();
    const QString words = QStringLiteral("Good evening & welcome, ");
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    int change = 0;
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            cursor.insertBlock();
        for (int w = 0; w < 8; ++w)
            cursor.insertText(words, formats.at(change++ % formats.size()));
    }
    cursor.endEditBlock();
}

void report(int paragraphs)
{
    QTextEdit control;
    control.setFont(QFont(QStringLiteral("Arial"), 24));
    fillScript(control.document(), paragraphs);

    TJvRichEditToHtml converter;
    QStringList lines;
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        converter.RichToHtmlLines(&control, lines);
        best = std::min(best, timer.nsecsElapsed());
    }
    const QJsonObject figure{
        {"name", "richtohtml_convert"},
        {"value", best / 1e6},
        {"unit", "ms"},
        {"inputs", QJsonObject{{"paragraphs", paragraphs},
                               {"characters", control.document()->characterCount()},
                               {"formatChangesPerParagraph", 8},
                               {"entries", lines.size()},
                               {"runs", "best of 3"}}},
    };
    printf("%s\n", QJsonDocument(figure).toJson(QJsonDocument::Compact).constData());
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int paragraphs : {1000, 5000})
        report(paragraphs);
    return 0;
}
