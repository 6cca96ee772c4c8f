#include <stdexcept>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/import/documentimport.h"
#include "testsupport/documentprobe.h"
#include "testsupport/testmain.h"
#include "testsupport/ziparchive.h"

// Replays the fuzzing corpus of the import (hand-made documents of both kinds, damaged ones, and
// bare XML, which the harness puts into every part the readers look into) as the harness does,
// and checks what the documents must read as.
class TestImportCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
    void newscastsReadAsWritten_data();
    void newscastsReadAsWritten();
    void deepNestingIsPassedOver();

private:
    QTemporaryDir m_dir;
};

namespace {

const QString corpusDirectory = QStringLiteral(VANTELL_IMPORT_CORPUS);

// Imports `path`; a refusal is no fault here. Returns whether it was imported.
bool importquietly(const QString &path, QTextDocument &document)
{
    try {
        importdocument(path, &document);
        return true;
    } catch (const std::runtime_error &) {
        return false;
    }
}

} // namespace

void TestImportCorpus::replay_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = QDir(corpusDirectory).entryList(QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 6);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestImportCorpus::replay()
{
    QFETCH(QString, name);
    QFile file(corpusDirectory + u'/' + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString docx = m_dir.filePath(name + QStringLiteral(".docx"));
    const QString odt = m_dir.filePath(name + QStringLiteral(".odt"));
    if (bytes.startsWith("PK")) {
        QVERIFY(QFile::copy(file.fileName(), docx) && QFile::copy(file.fileName(), odt));
    } else {
        writezip(docx, {{QStringLiteral("word/document.xml"), bytes},
                        {QStringLiteral("word/styles.xml"), bytes},
                        {QStringLiteral("word/numbering.xml"), bytes},
                        {QStringLiteral("_rels/.rels"), bytes}});
        writezip(odt, {{QStringLiteral("content.xml"), bytes}, {QStringLiteral("styles.xml"), bytes}});
    }
    QElapsedTimer timer;
    timer.start();
    for (const QString &path : {docx, odt}) {
        QTextDocument document;
        importquietly(path, document);
    }
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void TestImportCorpus::newscastsReadAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("docx") << "newscast.docx";
    QTest::newRow("odt") << "newscast.odt";
}

void TestImportCorpus::newscastsReadAsWritten()
{
    QFETCH(QString, name);
    QTextDocument document;
    importdocument(corpusDirectory + u'/' + name, &document);
    QCOMPARE(paragraphtexts(document),
             (QStringList{"Evening news", "Good evening, and welcome.", "First story", "Detail", "Time",
                          "Place", "Our site on page 2.",
                          "Back\tto you" + QString(QChar::LineSeparator) + "in the studio"}));
    const QTextCharFormat heading = formatof(document, "Evening news");
    QCOMPARE(heading.fontWeight(), int(QFont::Bold));
    QCOMPARE(heading.fontPointSize(), 20.0);
    const QTextCharFormat greeting = formatof(document, "Good evening");
    QCOMPARE(greeting.fontWeight(), int(QFont::Bold));
    QCOMPARE(greeting.foreground().color(), QColor(0xC0, 0, 0));
    QCOMPARE(greeting.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    QCOMPARE(greeting.fontPointSize(), 12.0);
    QVERIFY(formatof(document, "and welcome").fontItalic());
    QCOMPARE(formatof(document, "and welcome").fontWeight(), int(QFont::Normal));
    QCOMPARE(paragraphof(document, "Good evening").blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(paragraphof(document, "First story").textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(paragraphof(document, "Detail").textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(formatof(document, "in the studio").foreground().style(), Qt::NoBrush);
}

void TestImportCorpus::deepNestingIsPassedOver()
{
    // Nested far deeper than any document is, and than the stack would take level by level.
    constexpr int depth = 100000;
    const QByteArray odt =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>" +
        QByteArray("<text:section>").repeated(depth) + "<text:p>lost</text:p>" +
        QByteArray("</text:section>").repeated(depth) + "<text:p>" +
        QByteArray("<text:span>").repeated(depth) + "cut" + QByteArray("</text:span>").repeated(depth) +
        " kept</text:p></office:text></office:body></office:document-content>";
    const QString odtPath = m_dir.filePath(QStringLiteral("deep.odt"));
    writezip(odtPath, {{QStringLiteral("content.xml"), odt}});
    QTextDocument document;
    importdocument(odtPath, &document);
    QCOMPARE(paragraphtexts(document), QStringList{"kept"});

    const QByteArray docx =
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p>" +
        QByteArray("<w:hyperlink>").repeated(depth) + "<w:r><w:t>cut</w:t></w:r>" +
        QByteArray("</w:hyperlink>").repeated(depth) +
        "<w:r><w:t>kept</w:t></w:r></w:p></w:body></w:document>";
    const QString docxPath = m_dir.filePath(QStringLiteral("deep.docx"));
    writezip(docxPath, {{QStringLiteral("word/document.xml"), docx}});
    importdocument(docxPath, &document);
    QCOMPARE(paragraphtexts(document), QStringList{"kept"});
}

VANTELL_CORE_TEST_MAIN(TestImportCorpus)
#include "test_import_corpus.moc"
