// The quick editor on a script of about 1 MB: Find Next walking from the top to a match on the
// last line, and Replace All of a word with about 1,000 occurrences and of one with tens of
// thousands, with whether one undo takes a Replace All back.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/editor/findreplacedialog.h"
#include "ui/editor/tform2.h"
#include "core/platform/translation.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"

namespace {

// Lines of about 75 characters; every 14th names the studio, the last one the finale.
QString script(int bytes)
{
    QStringList lines;
    int size = 0;
    for (int i = 0; size < bytes; ++i) {
        const QString line =
            i % 14 == 0
                ? QStringLiteral("Line %1: the presenter turns to the studio and the next guest.").arg(i)
                : QStringLiteral("Line %1: the quick brown fox jumps over the lazy dog again.").arg(i);
        lines << line;
        size += static_cast<int>(line.size()) + 1;
    }
    lines << QStringLiteral("And that is the finale.");
    return lines.join(QLatin1Char('\n'));
}

double findNextToTheLastLine(TForm2 *editor)
{
    editor->finder.reset();
    QElapsedTimer clock;
    clock.start();
    editor->FindDialog1Find();
    const double ms = clock.nsecsElapsed() / 1e6;
    return editor->re1->textCursor().selectedText() == QLatin1String("finale") ? ms : -1;
}

void measureReplaceAll(TForm2 *editor, const QString &word, const QString &replacement,
                       const QJsonObject &base)
{
    const QString before = editor->re1->toPlainText();
    QJsonObject inputs = base;
    inputs[QStringLiteral("find")] = word;
    inputs[QStringLiteral("replace")] = replacement;
    inputs[QStringLiteral("occurrences")] = static_cast<int>(before.count(word, Qt::CaseInsensitive));
    QElapsedTimer clock;
    clock.start();
    editor->SearchAndReplace(word, replacement);
    bench::report(QStringLiteral("replace_all"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"), inputs);
    clock.restart();
    editor->Undo1Click();
    bench::report(QStringLiteral("replace_all_undo"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"),
                  inputs);
    // 1 when one undo takes the whole Replace All back.
    bench::report(QStringLiteral("replace_all_undone_by_one_undo"),
                  editor->re1->toPlainText() == before ? 1 : 0, QStringLiteral("bool"), inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initTranslation();

    TForm2 editor;
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        return 1;
    const QString text = script(1 << 20);
    editor.re1->setPlainText(text);
    const QJsonObject inputs{{QStringLiteral("characters"), static_cast<int>(text.size())},
                             {QStringLiteral("paragraphs"), editor.re1->document()->blockCount()}};

    editor.FindDialog1->FindText->setText(QStringLiteral("finale"));
    bench::report(QStringLiteral("find_next_to_last_line_first"), findNextToTheLastLine(&editor),
                  QStringLiteral("ms"), inputs);
    QList<double> samples;
    for (int i = 0; i < 10; ++i)
        samples << findNextToTheLastLine(&editor);
    bench::report(QStringLiteral("find_next_to_last_line_median"), bench::median(samples),
                  QStringLiteral("ms"), inputs);

    measureReplaceAll(&editor, QStringLiteral("studio"), QStringLiteral("stage"), inputs);
    measureReplaceAll(&editor, QStringLiteral("the"), QStringLiteral("a"), inputs);
    return 0;
}
