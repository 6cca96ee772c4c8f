// Rich scripts: loading a generated 1 MB rich script into script lines (read, convert to HTML,
// trim), against the same file converted by unrtf; writing that document as RTF; and a 4 MB
// plain script from opening to the completed, measured page.
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "testsupport/programwindows.h"
#include "core/platform/textfile.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "core/render/richfile.h"
#include "core/render/richtohtml.h"
#include "core/render/scriptloader.h"
#include "core/rtf/rtf.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "ui/toolkit/application.h"

namespace {

const QStringList words{"the",       "studio",  "lights", "camera", "tonight", "weather", "market",  "bridge",
                        "caf\u00e9", "council", "season", "\u2014", "goal",    "river",   "morning", "news"};

// About 1 MB of RTF: 5,000 paragraphs, a change of colour, size or style every few words.
QTextDocument *generatedScript(int paragraphs)
{
    auto *document = new QTextDocument;
    QTextCursor cursor(document);
    QRandomGenerator random(7);
    const QList<QColor> colors{Qt::white, Qt::yellow, QColor(255, 176, 0), Qt::cyan, QColor(120, 230, 120)};
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            cursor.insertBlock();
        QTextBlockFormat block;
        block.setAlignment(p % 7 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
        cursor.setBlockFormat(block);
        for (int run = 0; run < 6; ++run) {
            QTextCharFormat format;
            format.setForeground(colors.at(random.bounded(colors.size())));
            format.setFontPointSize(18 + 2 * random.bounded(8));
            format.setFontWeight(random.bounded(3) == 0 ? QFont::Bold : QFont::Normal);
            format.setFontItalic(random.bounded(5) == 0);
            format.setFontFamilies({random.bounded(2) ? QStringLiteral("Arial") : QStringLiteral("Verdana")});
            QString text;
            for (int w = 0; w < 4; ++w)
                text += words.at(random.bounded(words.size())) + QLatin1Char(' ');
            cursor.insertText(text, format);
        }
    }
    return document;
}

double medianMs(int runs, const std::function<void()> &work)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        samples << clock.nsecsElapsed() / 1e6;
    }
    return bench::median(samples);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    QTemporaryDir dir;

    std::unique_ptr<QTextDocument> document(generatedScript(5000));
    QByteArray rtf;
    const double writeMs = medianMs(5, [&] { rtf = writeRtf(document.get()); });
    const QString vnr = dir.filePath(QStringLiteral("script.vnr"));
    writewholefile(vnr, rtf);
    const QJsonObject inputs{{QStringLiteral("bytes"), rtf.size()}, {QStringLiteral("paragraphs"), 5000}};
    bench::report(QStringLiteral("write_rich_script_rtf"), writeMs, QStringLiteral("ms"), inputs);

    QTextEdit worker;
    TJvRichEditToHtml converter;
    converter.Header.clear();
    converter.Footer.clear();
    QStringList scriptlines;
    const double oursMs = medianMs(5, [&] {
        loadrichfile(&worker, vnr);
        converter.RichToHtmlLines(&worker, scriptlines);
        choploader(scriptlines);
    });
    bench::report(QStringLiteral("load_rich_script_to_lines"), oursMs, QStringLiteral("ms"), inputs);

    const double unrtfMs = medianMs(5, [&] {
        QProcess unrtf;
        unrtf.setStandardOutputFile(QProcess::nullDevice());
        unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), vnr});
        unrtf.waitForFinished(120000);
    });
    bench::report(QStringLiteral("unrtf_html_same_file"), unrtfMs, QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("load_rich_script_ratio_to_unrtf"), oursMs / unrtfMs,
                  QStringLiteral("ratio"), inputs);

    // A 4 MB plain script, opened as the menu opens it, until its page is loaded and measured.
    QByteArray text;
    for (int i = 0; text.size() < 4 * 1024 * 1024; ++i)
        text +=
            "Line " + QByteArray::number(i) + ": the studio lights come up and the caf\xc3\xa9 opens.\r\n";
    const QString txt = dir.filePath(QStringLiteral("long.txt"));
    writewholefile(txt, text);
    TForm1 *form = bench::startPrompter();
    if (!form)
        return 1;
    QSignalSpy measured(form, &TForm1::pageMeasured);
    const double openMs = medianMs(3, [&] {
        form->openscript(txt);
        measured.wait(120000);
    });
    bench::report(QStringLiteral("open_4mb_text_to_document_complete"), openMs, QStringLiteral("ms"),
                  {{QStringLiteral("bytes"), text.size()},
                   {QStringLiteral("lines"), form->promptstate.scriptlines.size()}});
    destroyWindows();
    return 0;
}
