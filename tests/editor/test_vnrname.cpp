#include <QFile>
#include <QTemporaryDir>

#include "core/editor/vnrname.h"
#include "testsupport/testmain.h"

// The name the quick editor proposes for a script's first save, and which chosen files it warns of.
class TestVnrName : public QObject {
    Q_OBJECT
private slots:
    void proposedNames_data();
    void proposedNames();
    void onlyExistingFilesOfOtherKindsAreWarnedOf();
};

void TestVnrName::proposedNames_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("word document") << "/shows/show.docx"
                                   << "show.vnr";
    QTest::newRow("text") << "/shows/show.txt"
                          << "show.vnr";
    QTest::newRow("upper case") << "/shows/SHOW.ODT"
                                << "SHOW.vnr";
    QTest::newRow("dots in the name") << "/shows/show.final.md"
                                      << "show.final.vnr";
    QTest::newRow("no extension") << "/shows/show"
                                  << "show.vnr";
    QTest::newRow("a name that starts with a dot") << "/shows/.show"
                                                   << ".show.vnr";
    QTest::newRow("a rich script keeps its name") << "/shows/show.vnr"
                                                  << "show.vnr";
    QTest::newRow("in any case") << "/shows/LOUD.VNR"
                                 << "LOUD.VNR";
    QTest::newRow("a new document's name, no file") << "No Script."
                                                    << "No Script.";
    QTest::newRow("a remote's script") << "remote script"
                                       << "remote script";
    QTest::newRow("none") << ""
                          << "";
}

void TestVnrName::proposedNames()
{
    QFETCH(QString, document);
    QFETCH(QString, proposed);
    QCOMPARE(vnrname(document), proposed);
}

void TestVnrName::onlyExistingFilesOfOtherKindsAreWarnedOf()
{
    QTemporaryDir dir;
    for (const char *name : {"show.docx", "show.vnr", "show.VNR", "show"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(replacesotherfile(dir.filePath(QStringLiteral("show.docx"))));
    QVERIFY(replacesotherfile(dir.filePath(QStringLiteral("show"))));
    QVERIFY(!replacesotherfile(dir.filePath(QStringLiteral("show.vnr"))));
    QVERIFY(!replacesotherfile(dir.filePath(QStringLiteral("show.VNR"))));
    QVERIFY(!replacesotherfile(dir.filePath(QStringLiteral("new.txt"))));
}

VANTELL_CORE_TEST_MAIN(TestVnrName)
#include "test_vnrname.moc"
