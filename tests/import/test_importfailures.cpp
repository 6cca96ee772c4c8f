#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include "core/import/documentimport.h"
#include "core/import/zippackage.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "testsupport/testmain.h"
#include "testsupport/ziparchive.h"

namespace {

const QByteArray wordDocument = "<?xml version=\"1.0\"?><w:document "
                                "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                                "<w:body><w:p><w:r><w:t>text</w:t></w:r></w:p></w:body></w:document>";

} // namespace

class TestImportFailures : public QObject {
    Q_OBJECT
private slots:
    void badFilesAreRefusedNamingFileAndFault_data();
    void badFilesAreRefusedNamingFileAndFault();
    void archivesUnpackingTooFarAreRefused_data();
    void archivesUnpackingTooFarAreRefused();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QString zip(const QString &name, const ZipParts &parts, const char *password = nullptr);
    static void expectRefusal(const QString &path, const QString &reason);

    QTemporaryDir m_dir;
};

QString TestImportFailures::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestImportFailures::zip(const QString &name, const ZipParts &parts, const char *password)
{
    const QString path = m_dir.filePath(name);
    writezip(path, parts, password);
    return path;
}

// The import throws the message naming the file and `reason`, and the document keeps what it had.
void TestImportFailures::expectRefusal(const QString &path, const QString &message)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("the previous script"));
    try {
        importdocument(path, &document);
        QFAIL("the file was imported");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(document.toPlainText(), QStringLiteral("the previous script"));
}

void TestImportFailures::badFilesAreRefusedNamingFileAndFault_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    const auto refused = [](const QString &path, const QString &reason) {
        return i18n(str::CannotImport).arg(path, reason);
    };
    const QString text = write(QStringLiteral("text.docx"), "just some text");
    QTest::newRow("text, not a zip") << text << refused(text, i18n(str::ImportNotZip));
    const QString empty = write(QStringLiteral("empty.odt"), {});
    QTest::newRow("empty file") << empty << refused(empty, i18n(str::ImportNotZip));
    const QString missing = m_dir.filePath(QStringLiteral("missing.docx"));
    QTest::newRow("no such file")
        << missing << i18n(str::CannotOpenFile).arg(missing, QStringLiteral("No such file or directory"));
    const QString folder = m_dir.filePath(QStringLiteral("folder.odt"));
    QDir().mkpath(folder);
    QTest::newRow("folder") << folder << i18n(str::CannotOpenFile).arg(folder, i18n(str::IsADirectory));

    const QString noDocx =
        zip(QStringLiteral("nobody.docx"), {{QStringLiteral("[Content_Types].xml"), "<Types/>"}});
    QTest::newRow("docx without its document")
        << noDocx << refused(noDocx, i18n(str::ImportPartMissing).arg(QStringLiteral("word/document.xml")));
    const QString noOdt = zip(QStringLiteral("nobody.odt"), {{QStringLiteral("mimetype"), "x"}});
    QTest::newRow("odt without its content")
        << noOdt << refused(noOdt, i18n(str::ImportPartMissing).arg(QStringLiteral("content.xml")));

    const QString broken =
        zip(QStringLiteral("broken.docx"),
            {{QStringLiteral("word/document.xml"), "<w:document>\n<w:body></w:document>"}});
    QTest::newRow("broken document XML")
        << broken
        << refused(broken, i18n(str::ImportBrokenXml)
                               .arg(QStringLiteral("word/document.xml"),
                                    QStringLiteral("Namespace prefix 'w' not declared"))
                               .arg(1));
    const QString truncated =
        zip(QStringLiteral("truncated.docx"),
            {{QStringLiteral("word/document.xml"), wordDocument.left(wordDocument.size() - 5)}});
    QTest::newRow("cut-off document XML")
        << truncated
        << refused(truncated,
                   i18n(str::ImportBrokenXml)
                       .arg(QStringLiteral("word/document.xml"), QStringLiteral("Premature end of document."))
                       .arg(1));
    const QString brokenStyles =
        zip(QStringLiteral("brokenstyles.docx"),
            {{QStringLiteral("word/document.xml"), wordDocument},
             {QStringLiteral("word/styles.xml"), "<?xml version=\"1.0\"?><a><b></a>"}});
    QTest::newRow("broken styles XML")
        << brokenStyles
        << refused(brokenStyles, i18n(str::ImportBrokenXml)
                                     .arg(QStringLiteral("word/styles.xml"),
                                          QStringLiteral("Opening and ending tag mismatch."))
                                     .arg(1));
    const QString brokenOdt =
        zip(QStringLiteral("broken.odt"),
            {{QStringLiteral("content.xml"), "<?xml version=\"1.0\"?>\n\n<a>&bad;</a>"}});
    QTest::newRow("broken content XML")
        << brokenOdt
        << refused(brokenOdt,
                   i18n(str::ImportBrokenXml)
                       .arg(QStringLiteral("content.xml"), QStringLiteral("Entity 'bad' not declared."))
                       .arg(3));

    // An archive stating a smaller size for a part than it unpacks to, as a crafted bomb would.
    const QString understated =
        zip(QStringLiteral("understated.docx"), {{QStringLiteral("word/document.xml"), wordDocument}});
    {
        QFile file(understated);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const qsizetype central = bytes.indexOf("PK\x01\x02");
        QVERIFY(central > 0);
        bytes[central + 24] = 10;
        bytes[central + 25] = bytes[central + 26] = bytes[central + 27] = 0;
        file.seek(0);
        file.write(bytes);
    }
    QTest::newRow("part unpacking to more than stated")
        << understated
        << refused(understated, i18n(str::ImportPartDamaged).arg(QStringLiteral("word/document.xml")));

    const QString locked =
        zip(QStringLiteral("locked.docx"), {{QStringLiteral("word/document.xml"), wordDocument}}, "secret");
    QTest::newRow("zip with a password") << locked << refused(locked, i18n(str::ImportEncrypted));
    const QString compound = write(QStringLiteral("protected.docx"),
                                   QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(504, '\0'));
    QTest::newRow("Word's protected file") << compound << refused(compound, i18n(str::ImportEncrypted));
    const QString sealedOdt =
        zip(QStringLiteral("sealed.odt"),
            {{QStringLiteral("META-INF/manifest.xml"),
              "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
              "<manifest:file-entry manifest:full-path=\"content.xml\"><manifest:encryption-data/>"
              "</manifest:file-entry></manifest:manifest>"},
             {QStringLiteral("content.xml"), QByteArray(64, '\x9c')}});
    QTest::newRow("odt with a password") << sealedOdt << refused(sealedOdt, i18n(str::ImportEncrypted));
}

void TestImportFailures::badFilesAreRefusedNamingFileAndFault()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    expectRefusal(path, message);
}

void TestImportFailures::archivesUnpackingTooFarAreRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    // Zeros pack into next to nothing: three parts, each below the limit, unpack to more than it.
    const QByteArray third(ZipPackage::maxUnpackedBytes / 3 + 1, '\0');
    const QString bomb =
        zip(QStringLiteral("bomb.docx"), {{QStringLiteral("word/document.xml"), wordDocument},
                                          {QStringLiteral("a.bin"), third},
                                          {QStringLiteral("b.bin"), third},
                                          {QStringLiteral("c.bin"), third}});
    QTest::newRow("too large") << bomb
                               << i18n(str::CannotImport)
                                      .arg(bomb,
                                           i18n(str::ImportTooLarge).arg(ZipPackage::maxUnpackedBytes >> 20));
    ZipParts many{{QStringLiteral("content.xml"), "<a/>"}};
    for (int i = 0; i < ZipPackage::maxParts; ++i)
        many.append({QStringLiteral("p%1").arg(i), {}});
    const QString crowded = zip(QStringLiteral("crowded.odt"), many);
    QTest::newRow("too many parts")
        << crowded
        << i18n(str::CannotImport).arg(crowded, i18n(str::ImportTooManyParts).arg(ZipPackage::maxParts));
}

void TestImportFailures::archivesUnpackingTooFarAreRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    expectRefusal(path, message);
}

VANTELL_CORE_TEST_MAIN(TestImportFailures)
#include "test_importfailures.moc"
