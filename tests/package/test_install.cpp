#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "testsupport/testmain.h"

// `cmake --install` of this build into a temporary DESTDIR under the prefix /usr, checked file by
// file, and the installed programs run from there.
class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyFileIsInstalled();
    void dataIsInstalledAsInTheSources();
    void menuEntryValidates();
    void softwareCentresAcceptTheMetainfo();
    void releaseIsTheSameEverywhere();
    void fileTypesAreKnownToTheMimeDatabase();
    void iconHasItsSizes();
    void manualPagesCarryTheVersion();
    void installedProgramFindsItsDataAndCatalogues();
    void installedWebServiceFindsTheHelpPages();

private:
    struct Run {
        int exitStatus = -1;
        QString out, errors;
    };
    static Run run(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    QString installed(const QString &path) const { return m_prefix + QLatin1Char('/') + path; }
    static QStringList sourceFiles(const QString &folder);
    static QByteArray contents(const QString &path);

    QTemporaryDir m_destdir;
    QString m_prefix;
};

TestInstall::Run TestInstall::run(const QString &program, const QStringList &arguments,
                                  const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitStatus = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QStringList TestInstall::sourceFiles(const QString &folder)
{
    return QDir(QStringLiteral(VANTELL_SOURCE_DIR "/") + folder).entryList(QDir::Files, QDir::Name);
}

QByteArray TestInstall::contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void TestInstall::initTestCase()
{
    QVERIFY(m_destdir.isValid());
    m_prefix = m_destdir.path() + QStringLiteral("/usr");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_destdir.path());
    const Run install =
        run(QStringLiteral(CMAKE_PROGRAM), {"--install", VANTELL_BUILD_DIR, "--prefix", "/usr"}, environment);
    QVERIFY2(install.exitStatus == 0, qPrintable(install.out + install.errors));
    // The installed file types are looked up by this process's MIME database (first used below).
    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(installed(QStringLiteral("share")) + QStringLiteral(":/usr/share")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_destdir.filePath(QStringLiteral("nohome"))));
}

void TestInstall::everyFileIsInstalled()
{
    QSet<QString> expected{
        "bin/vantell",
        "bin/vantell-webservice",
        "share/vantell/specialchars.dat",
        "share/applications/vantell.desktop",
        "share/mime/packages/vantell.xml",
        "share/icons/hicolor/scalable/apps/vantell.svg",
        "share/man/man1/vantell.1.gz",
        "share/man/man1/vantell-webservice.1.gz",
        "share/metainfo/com.korvanex.vantell.metainfo.xml",
        "share/doc/vantell/copyright",
        "share/doc/vantell/changelog.gz",
    };
    for (int size : {16, 32, 48, 64, 128, 256})
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/vantell.png").arg(size);
    for (const QString &page : sourceFiles(QStringLiteral("resources/help")))
        expected << QStringLiteral("share/vantell/help/") + page;
    // The page of the keys is written from the command map at build time.
    expected << QStringLiteral("share/vantell/help/keys.html");
    for (const QString &sample : sourceFiles(QStringLiteral("resources/samples")))
        expected << QStringLiteral("share/vantell/samples/") + sample;
    for (const QString &catalogue : sourceFiles(QStringLiteral("resources/po")))
        if (catalogue.endsWith(QLatin1String(".po")))
            expected << QStringLiteral("share/locale/%1/LC_MESSAGES/vantell.mo").arg(catalogue.chopped(3));
    QVERIFY(expected.contains(QStringLiteral("share/locale/de/LC_MESSAGES/vantell.mo")));
    QVERIFY(expected.contains(QStringLiteral("share/vantell/samples/welcome.vnr")));

    QSet<QString> found;
    QDirIterator files(m_destdir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext())
        found << QDir(m_prefix).relativeFilePath(files.next());
    QCOMPARE(found - expected, QSet<QString>{});
    QCOMPARE(expected - found, QSet<QString>{});
    QVERIFY(QFileInfo(installed(QStringLiteral("bin/vantell"))).isExecutable());
    QVERIFY(QFileInfo(installed(QStringLiteral("bin/vantell-webservice"))).isExecutable());
}

void TestInstall::dataIsInstalledAsInTheSources()
{
    const QString sources = QStringLiteral(VANTELL_SOURCE_DIR "/resources/");
    QCOMPARE(contents(installed(QStringLiteral("share/vantell/specialchars.dat"))),
             contents(sources + QStringLiteral("specialchars.dat")));
    QCOMPARE(contents(installed(QStringLiteral("share/icons/hicolor/scalable/apps/vantell.svg"))),
             contents(sources + QStringLiteral("icons/app-icon.svg")));
    for (const QString &page : sourceFiles(QStringLiteral("resources/help")))
        QCOMPARE(contents(installed(QStringLiteral("share/vantell/help/") + page)),
                 contents(sources + QStringLiteral("help/") + page));
    const QByteArray keys = contents(installed(QStringLiteral("share/vantell/help/keys.html")));
    QCOMPARE(keys, contents(QStringLiteral(VANTELL_BUILD_DIR "/bin/help/keys.html")));
    QVERIFY(keys.contains("<tr><td><kbd>F7</kbd></td><td>Jump to the next marker"));
    QVERIFY(!keys.contains("<!--"));
    for (const QString &sample : sourceFiles(QStringLiteral("resources/samples")))
        QCOMPARE(contents(installed(QStringLiteral("share/vantell/samples/") + sample)),
                 contents(sources + QStringLiteral("samples/") + sample));
}

void TestInstall::menuEntryValidates()
{
    const QString entry = installed(QStringLiteral("share/applications/vantell.desktop"));
    const Run validate = run(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(validate.exitStatus == 0 && validate.out.isEmpty() && validate.errors.isEmpty(),
             qPrintable(validate.out + validate.errors));
    const QStringList lines = QString::fromUtf8(contents(entry)).split(QLatin1Char('\n'));
    for (const char *line : {"Exec=vantell %f", "Icon=vantell", "Name=Vantell", "Type=Application"})
        QVERIFY2(lines.contains(QLatin1String(line)), line);
    const QString types = lines.filter(QStringLiteral("MimeType=")).value(0);
    QVERIFY(types.contains(QStringLiteral("application/x-vantell-script;")));
    QVERIFY(types.contains(QStringLiteral("application/x-vantell-queue;")));
    // Word processors' documents and markup open in the program from the file manager.
    for (const char *type : {"application/vnd.openxmlformats-officedocument.wordprocessingml.document;",
                             "application/vnd.oasis.opendocument.text;", "text/markdown;", "text/html;"})
        QVERIFY2(types.contains(QLatin1String(type)), type);
    // The entry's texts come translated from the program's catalogues.
    QVERIFY2(
        lines.contains(QStringLiteral("Comment[de]=Zeigt ein Skript als großen, laufenden Text zum Ablesen "
                                      "von einem Bildschirm oder einer Prompter-Scheibe")),
        qPrintable(lines.join(QLatin1Char('\n'))));
    for (const char *language : {"fr", "es"}) {
        for (const char *key : {"GenericName", "Comment", "Keywords"})
            QVERIFY2(!lines.filter(QStringLiteral("%1[%2]=").arg(QLatin1String(key), QLatin1String(language)))
                          .isEmpty(),
                     key);
    }
}

void TestInstall::softwareCentresAcceptTheMetainfo()
{
    const QString metainfo = installed(QStringLiteral("share/metainfo/com.korvanex.vantell.metainfo.xml"));
    // No warning, no error: software centres take it as it is, with the menu entry beside it.
    const Run validate = run(QStringLiteral("appstreamcli"), {"validate", "--no-net", "--explain", metainfo});
    QVERIFY2(validate.exitStatus == 0 && !validate.out.contains(QLatin1String("W: ")),
             qPrintable(validate.out + validate.errors));
    const Run tree = run(QStringLiteral("appstreamcli"), {"validate-tree", "--no-net", m_destdir.path()});
    QVERIFY2(tree.exitStatus == 0, qPrintable(tree.out + tree.errors));

    QXmlStreamReader xml(contents(metainfo));
    QStringList types, summaries, launchables, images;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString language = xml.attributes().value(QLatin1String("xml:lang")).toString();
        if (xml.name() == QLatin1String("mediatype"))
            types << xml.readElementText();
        else if (xml.name() == QLatin1String("summary"))
            summaries << language;
        else if (xml.name() == QLatin1String("launchable"))
            launchables << xml.readElementText();
        else if (xml.name() == QLatin1String("image")) {
            const QString size = QStringLiteral("%1x%2").arg(xml.attributes().value(QLatin1String("width")),
                                                             xml.attributes().value(QLatin1String("height")));
            images << size + QLatin1Char(' ') + xml.readElementText();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(launchables, QStringList{"vantell.desktop"});
    // It offers the file types the menu entry opens, in its translations.
    const QString entry =
        QString::fromUtf8(contents(installed(QStringLiteral("share/applications/vantell.desktop"))));
    const QString opened = entry.section(QStringLiteral("\nMimeType="), 1).section(QLatin1Char('\n'), 0, 0);
    QCOMPARE(types.join(QLatin1Char(';')) + QLatin1Char(';'), opened);
    for (const char *language : {"", "de", "fr", "es"})
        QVERIFY2(summaries.contains(QLatin1String(language)), language);
    // The screenshot is the one in docs/, at its size.
    QCOMPARE(images.size(), 1);
    const QImage screenshot(QStringLiteral(VANTELL_SOURCE_DIR "/docs/screenshot.png"));
    QCOMPARE(images.first().section(QLatin1Char(' '), 0, 0),
             QStringLiteral("%1x%2").arg(screenshot.width()).arg(screenshot.height()));
    QVERIFY(images.first().endsWith(QLatin1String("/screenshot.png")));
}

void TestInstall::releaseIsTheSameEverywhere()
{
    // The newest release of the metainfo and of the package's history is this build's version.
    const QString metainfo = QString::fromUtf8(
        contents(installed(QStringLiteral("share/metainfo/com.korvanex.vantell.metainfo.xml"))));
    const QRegularExpressionMatch release =
        QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\" date=\"([^\"]+)\"")).match(metainfo);
    QVERIFY(release.hasMatch());
    QCOMPARE(release.captured(1), QStringLiteral(VANTELL_VERSION));
    const Run history =
        run(QStringLiteral("gzip"), {"-dc", installed(QStringLiteral("share/doc/vantell/changelog.gz"))});
    QVERIFY(history.out.startsWith(QStringLiteral("vantell (%1) ").arg(QStringLiteral(VANTELL_VERSION))));
    const QRegularExpressionMatch signature =
        QRegularExpression(QStringLiteral("\n -- [^\n]+  \\w{3}, (\\d{2}) (\\w{3}) (\\d{4})"))
            .match(history.out);
    QVERIFY2(signature.hasMatch(), qPrintable(history.out));
    const QDate date = QLocale::c().toDate(signature.captured(1) + QLatin1Char(' ') + signature.captured(2) +
                                               QLatin1Char(' ') + signature.captured(3),
                                           QStringLiteral("dd MMM yyyy"));
    QCOMPARE(date.toString(Qt::ISODate), release.captured(2));
    // The licence the package states is the one the project carries.
    const QString copyright =
        QString::fromUtf8(contents(installed(QStringLiteral("share/doc/vantell/copyright"))));
    QVERIFY(copyright.contains(QLatin1String("License: GPL-3+")));
    QVERIFY(metainfo.contains(QLatin1String("<project_license>GPL-3.0-or-later</project_license>")));
    QVERIFY(contents(QStringLiteral(VANTELL_SOURCE_DIR "/LICENSE")).contains("GNU GENERAL PUBLIC LICENSE"));
}

void TestInstall::fileTypesAreKnownToTheMimeDatabase()
{
    QXmlStreamReader xml(contents(installed(QStringLiteral("share/mime/packages/vantell.xml"))));
    QStringList types;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("mime-type"))
            types << xml.attributes().value(QLatin1String("type")).toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(types, (QStringList{"application/x-vantell-script", "application/x-vantell-queue"}));

    // The shared MIME database compiles the entries (it refuses malformed ones) ...
    const Run update = run(QStringLiteral("update-mime-database"), {installed(QStringLiteral("share/mime"))});
    QVERIFY2(update.exitStatus == 0, qPrintable(update.out + update.errors));
    QVERIFY(QFile::exists(installed(QStringLiteral("share/mime/application/x-vantell-script.xml"))));
    // ... and file names are told apart by them: a script is rich text, a queue plain text.
    QMimeDatabase database;
    const QMimeType script =
        database.mimeTypeForFile(QStringLiteral("talk.vnr"), QMimeDatabase::MatchExtension);
    QCOMPARE(script.name(), QStringLiteral("application/x-vantell-script"));
    QVERIFY(script.inherits(QStringLiteral("application/rtf")));
    const QMimeType queue =
        database.mimeTypeForFile(QStringLiteral("SHOW.VNQ"), QMimeDatabase::MatchExtension);
    QCOMPARE(queue.name(), QStringLiteral("application/x-vantell-queue"));
    QVERIFY(queue.inherits(QStringLiteral("text/plain")));
    QCOMPARE(queue.comment(), QStringLiteral("Vantell queue of scripts"));
    QLocale::setDefault(QLocale(QLocale::German));
    const QString germanComment =
        database.mimeTypeForName(QStringLiteral("application/x-vantell-script")).comment();
    QLocale::setDefault(QLocale(QLocale::French));
    const QString frenchComment =
        database.mimeTypeForName(QStringLiteral("application/x-vantell-queue")).comment();
    QLocale::setDefault(QLocale(QLocale::Spanish));
    const QString spanishComment =
        database.mimeTypeForName(QStringLiteral("application/x-vantell-script")).comment();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(germanComment, QStringLiteral("Vantell-Skript"));
    QCOMPARE(frenchComment, QStringLiteral("File de scripts Vantell"));
    QCOMPARE(spanishComment, QStringLiteral("Guion de Vantell"));
}

void TestInstall::iconHasItsSizes()
{
    QVERIFY(
        QSvgRenderer(installed(QStringLiteral("share/icons/hicolor/scalable/apps/vantell.svg"))).isValid());
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/vantell.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        // The rounded square: clear in the corner, drawn in the middle.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

void TestInstall::manualPagesCarryTheVersion()
{
    for (const QString &page : {QStringLiteral("vantell"), QStringLiteral("vantell-webservice")}) {
        const Run unpack = run(QStringLiteral("gzip"),
                               {"-dc", installed(QStringLiteral("share/man/man1/%1.1.gz").arg(page))});
        QCOMPARE(unpack.exitStatus, 0);
        QVERIFY2(unpack.out.startsWith(QStringLiteral(".TH ") +
                                       page.toUpper().replace(QLatin1Char('-'), QLatin1String("\\-"))),
                 qPrintable(unpack.out.left(80)));
        QVERIFY(unpack.out.contains(QStringLiteral("\"vantell " VANTELL_VERSION "\"")));
        QVERIFY(!unpack.out.contains(QLatin1Char('@')));
    }
}

void TestInstall::installedProgramFindsItsDataAndCatalogues()
{
    // Beside the installed program there is no build tree: the data and the German catalogue can
    // only come from the installation's share/ folder. No display: the help needs none.
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    const Run help = run(installed(QStringLiteral("bin/vantell")), {"--help"}, environment);
    QVERIFY2(help.exitStatus == 0, qPrintable(help.errors));
    QVERIFY2(help.out.startsWith(QStringLiteral("Aufruf: vantell")), qPrintable(help.out));
    QVERIFY2(help.out.contains(QStringLiteral("  ") +
                               installed(QStringLiteral("share/vantell/specialchars.dat")) +
                               QLatin1Char('\n')),
             qPrintable(help.out));
}

void TestInstall::installedWebServiceFindsTheHelpPages()
{
    QProcess service;
    service.start(installed(QStringLiteral("bin/vantell-webservice")), {"--port", "0"});
    QVERIFY(service.waitForStarted());
    QVERIFY(QTest::qWaitFor([&service] { return service.canReadLine(); }, 10000));
    const QString announcement = QString::fromUtf8(service.readLine());
    service.kill();
    service.waitForFinished();
    QVERIFY2(announcement.contains(QStringLiteral("(help pages from ") +
                                   installed(QStringLiteral("share/vantell/help)"))),
             qPrintable(announcement));
}

VANTELL_CORE_TEST_MAIN(TestInstall)
#include "test_install.moc"
