#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include "core/import/documentimport.h"
#include "core/import/sealeddocument.h"
#include "testsupport/documentprobe.h"
#include "testsupport/testmain.h"

class TestMarkupImport : public QObject {
    Q_OBJECT
private slots:
    void importableByExtension_data();
    void importableByExtension();
    void markdownHeadingsEmphasisAndLists();
    void htmlFormatsAlignmentAndTables();
    void picturesAndLinkedResourcesAreNeverLoaded();

private:
    QTextDocument *imported(const QString &name, const QByteArray &markup);

    QTemporaryDir m_dir;
    QTextDocument m_document;
};

QTextDocument *TestMarkupImport::imported(const QString &name, const QByteArray &markup)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(markup) != markup.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    importdocument(path, &m_document);
    return &m_document;
}

void TestMarkupImport::importableByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("importable");
    QTest::newRow("docx") << "/a/talk.docx" << true;
    QTest::newRow("ODT upper case") << "TALK.ODT" << true;
    QTest::newRow("md") << "notes.md" << true;
    QTest::newRow("markdown") << "notes.markdown" << true;
    QTest::newRow("html") << "page.html" << true;
    QTest::newRow("htm") << "page.Htm" << true;
    QTest::newRow("old Word") << "talk.doc" << false;
    QTest::newRow("rich script") << "talk.vnr" << false;
    QTest::newRow("no extension") << "/a/docx" << false;
}

void TestMarkupImport::importableByExtension()
{
    QFETCH(QString, path);
    QFETCH(bool, importable);
    QCOMPARE(isimportable(path), importable);
}

void TestMarkupImport::markdownHeadingsEmphasisAndLists()
{
    const QTextDocument *document = imported(
        QStringLiteral("notes.md"), "# Title\n\nSome *leaning* and **heavy** text.\n\n## Part\n\n"
                                    "- one\n- two\n\n1. first\n2. second\n\nA [link](http://x) here.\n");
    QCOMPARE(paragraphtexts(*document), (QStringList{"Title", "Some leaning and heavy text.", "Part", "one",
                                                     "two", "first", "second", "A link here."}));
    const QTextCharFormat title = formatof(*document, "Title");
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    const qreal body = formatof(*document, "Some").fontPointSize();
    QCOMPARE(body, 12.0);
    QVERIFY(title.fontPointSize() > formatof(*document, "Part").fontPointSize());
    QVERIFY(formatof(*document, "Part").fontPointSize() > body);
    QVERIFY(formatof(*document, "leaning").fontItalic());
    QCOMPARE(formatof(*document, "heavy").fontWeight(), int(QFont::Bold));
    QCOMPARE(paragraphof(*document, "one").textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(paragraphof(*document, "two").textList(), paragraphof(*document, "one").textList());
    QCOMPARE(paragraphof(*document, "first").textList()->format().style(), QTextListFormat::ListDecimal);
    // A link's text stays, without the address behind it.
    QVERIFY(!formatof(*document, "link").isAnchor());
    QVERIFY(!formatof(*document, "link").hasProperty(QTextFormat::AnchorHref));
}

void TestMarkupImport::htmlFormatsAlignmentAndTables()
{
    const QTextDocument *document = imported(
        QStringLiteral("page.HTML"),
        "<html><body><p align=\"center\">centred <span style=\"color:#ff0000\">crimson</span> "
        "<font face=\"Liberation Mono\" style=\"font-size:20pt\">mono</font> <u>under</u> <s>struck</s></p>"
        "<p style=\"text-align:right\">righted</p>"
        "<table><tr><td>a1</td><td>b1</td></tr><tr><td>a2</td><td>b2</td></tr></table>"
        "<ul><li>item</li></ul></body></html>");
    QCOMPARE(paragraphof(*document, "centred").blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(paragraphof(*document, "righted").blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(formatof(*document, "crimson").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatof(*document, "centred").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatof(*document, "mono").fontFamilies().toStringList(), QStringList{"Liberation Mono"});
    QCOMPARE(formatof(*document, "mono").fontPointSize(), 20.0);
    QVERIFY(formatof(*document, "under").fontUnderline());
    QVERIFY(formatof(*document, "struck").fontStrikeOut());
    const QStringList texts = paragraphtexts(*document);
    QCOMPARE(texts.mid(texts.indexOf("a1"), 4), (QStringList{"a1", "b1", "a2", "b2"}));
    QVERIFY(paragraphof(*document, "item").textList());
}

void TestMarkupImport::picturesAndLinkedResourcesAreNeverLoaded()
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString picturePath = m_dir.filePath(QStringLiteral("picture.png"));
    QVERIFY(picture.save(picturePath));
    const QString sheetPath = m_dir.filePath(QStringLiteral("red.css"));
    QFile sheet(sheetPath);
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write("p { color: #ff0000; font-size: 40pt }");
    sheet.close();

    const QUrl pictureUrl = QUrl::fromLocalFile(picturePath);
    // An ordinary document would read the picture from the disk.
    QTextDocument ordinary;
    QVERIFY(ordinary.resource(QTextDocument::ImageResource, pictureUrl).isValid());
    SealedDocument sealed;
    QVERIFY(!sealed.resource(QTextDocument::ImageResource, pictureUrl).isValid());

    const QTextDocument *document =
        imported(QStringLiteral("linked.html"),
                 "<html><head><link rel=\"stylesheet\" href=\"" + QUrl::fromLocalFile(sheetPath).toEncoded() +
                     "\"><link rel=\"stylesheet\" href=\"red.css\"></head><body><p>before <img src=\"" +
                     pictureUrl.toEncoded() +
                     "\"><img src=\"http://127.0.0.1:9/remote.png\"> after</p></body></html>");
    QCOMPARE(paragraphtexts(*document), QStringList{"before  after"});
    QCOMPARE(formatof(*document, "before").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatof(*document, "before").fontPointSize(), 12.0);

    imported(QStringLiteral("picture.md"), "before ![green](picture.png) after\n");
    QCOMPARE(paragraphtexts(*document), QStringList{"before  after"});
}

VANTELL_CORE_TEST_MAIN(TestMarkupImport)
#include "test_markupimport.moc"
