#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf/rtf.h"
#include "testsupport/testmain.h"

// Replays the fuzzing corpus (hand-written samples of each RTF dialect and the inputs that once
// broke the reader) and checks what the samples must read as.
class TestRtfCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
    void dialects_data();
    void dialects();
};

namespace {

const QString corpusDirectory = QStringLiteral(VANTELL_RTF_CORPUS);

QByteArray corpusFile(const QString &name)
{
    QFile file(corpusDirectory + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// One character per paragraph: l, r, c, j for its alignment.
QString alignments(const QTextDocument &document)
{
    QString result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment alignment = block.blockFormat().alignment();
        result += alignment & Qt::AlignHCenter   ? u'c'
                  : alignment & Qt::AlignJustify ? u'j'
                  : alignment & Qt::AlignRight   ? u'r'
                                                 : u'l';
    }
    return result;
}

// One character per paragraph: '-' not a list item, '*' bullet, '1' decimal, 'a' letter, 'i' roman.
QString markers(const QTextDocument &document)
{
    QString result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.textList()) {
            result += u'-';
            continue;
        }
        switch (block.textList()->format().style()) {
        case QTextListFormat::ListDisc:
            result += u'*';
            break;
        case QTextListFormat::ListDecimal:
            result += u'1';
            break;
        case QTextListFormat::ListLowerAlpha:
            result += u'a';
            break;
        case QTextListFormat::ListLowerRoman:
            result += u'i';
            break;
        default:
            result += u'?';
            break;
        }
    }
    return result;
}

QStringList paragraphs(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

} // namespace

void TestRtfCorpus::replay_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = QDir(corpusDirectory).entryList(QDir::Files, QDir::Name);
    QVERIFY2(names.size() >= 10, qPrintable(corpusDirectory));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestRtfCorpus::replay()
{
    QFETCH(QString, name);
    const QByteArray data = corpusFile(name);
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    if (!readRtf(data, &document))
        return;
    const QByteArray written = writeRtf(&document);
    QTextDocument again;
    QVERIFY(readRtf(written, &again));
    QCOMPARE(paragraphs(again), paragraphs(document));
    QCOMPARE(writeRtf(&again), written);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void TestRtfCorpus::dialects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("marker");

    QTest::newRow("rich edit") << "wordpad-bullets.rtf"
                               << QStringList{"Opening remarks",
                                              "Good evening, everyone. Café “quoted” € 20.",
                                              "first point",
                                              "second point",
                                              "Привет",
                                              "closing line\u2028second line"}
                               << "clllrj"
                               << "--**--";
    QTest::newRow("word processor with list tables")
        << "word-lists.rtf"
        << QStringList{"Agenda",    "Welcome ", "Budget, see the sheet", "Details", "Questions – and answers",
                       "Thank you."}
        << "clllll"
        << "-**a1-";
    QTest::newRow("office suite with list text")
        << "libreoffice-lists.rtf"
        << QStringList{"Running order", "Headlines", "Weather and traffic", "Interview", "old new\u2009 text"}
        << "clllj"
        << "-**1-";
    QTest::newRow("text editor") << "textedit-cocoa.rtf"
                                 << QStringList{"Tonight’s script",
                                                "A line with red words and italics, underlined and struck.",
                                                "Coffee ☕", "Tea", "code_sample({x});"}
                                 << "cllll"
                                 << "--**-";
    QTest::newRow("converter: bullets are text")
        << "pandoc-output.rtf"
        << QStringList{"Show notes",
                       "Read this slowly and clearly; quotes “like this” and dashes —.",
                       "•\tFirst item",
                       "•\tSecond item with a link",
                       "inline_code() and 田界 text.",
                       ""}
        << "llllll"
        << "------";
    QTest::newRow("code pages") << "cjk-codepages.rtf"
                                << QStringList{"こんにちは、世界。", "你好，世界。", "안녕하세요", "中文",
                                               "mixed 日本 end",     "表ソ府"}
                                << "llllll"
                                << "------";
    QTest::newRow("tables and pictures")
        << "table-and-pictures.rtf"
        << QStringList{"before", "Name\tCue\tTime", "Anna\t\t0:30", "after the picture", "", "end"}
        << "lrllll"
        << "------";
    QTest::newRow("unicode stand-ins")
        << "unicode-fallbacks.rtf" << QStringList{"one 😀 emoji",
                                                  "two € euro",
                                                  "three 日 after",
                                                  "four あ five é",
                                                  "lone \uFFFD high and \uFFFD low",
                                                  "controls"}
        << "llllll"
        << "------";
}

void TestRtfCorpus::dialects()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    QFETCH(QString, alignment);
    QFETCH(QString, marker);
    QTextDocument document;
    QVERIFY(readRtf(corpusFile(name), &document));
    QCOMPARE(paragraphs(document), expected);
    QCOMPARE(alignments(document), alignment);
    QCOMPARE(markers(document), marker);
}

VANTELL_CORE_TEST_MAIN(TestRtfCorpus)
#include "test_rtf_corpus.moc"
