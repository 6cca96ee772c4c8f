#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/remote/qrsymbol.h"
#include "core/settings/remotesettings.h"
#include "testsupport/testmain.h"

// The remote control's settings as a person or another program may have left them, and the QR
// code a phone reads the address from.
class TestRemoteSettings : public QObject {
    Q_OBJECT
private slots:
    void keptAndReadBack();
    void unreadableValuesKeepTheDefaults();
    void aTokenIsAlwaysThere();
    void theQrCodeReadsAsTheAddress();
};

namespace {
QSettings *settingsIn(const QTemporaryDir &dir)
{
    return new QSettings(dir.filePath(QStringLiteral("vantell.conf")), QSettings::IniFormat);
}
} // namespace

void TestRemoteSettings::keptAndReadBack()
{
    QTemporaryDir dir;
    RemoteSettings written;
    written.enabled = true;
    written.port = 8123;
    written.oscPort = 9000;
    written.allowNetwork = true;
    written.token = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    {
        std::unique_ptr<QSettings> settings(settingsIn(dir));
        writeremotesettings(*settings, written);
    }
    std::unique_ptr<QSettings> settings(settingsIn(dir));
    RemoteSettings read;
    readremotesettings(*settings, read);
    QCOMPARE(read, written);
}

void TestRemoteSettings::unreadableValuesKeepTheDefaults()
{
    QTemporaryDir dir;
    {
        std::unique_ptr<QSettings> settings(settingsIn(dir));
        settings->setValue(QStringLiteral("Remote/Enabled"), QStringLiteral("perhaps"));
        settings->setValue(QStringLiteral("Remote/Port"), 70000);
        settings->setValue(QStringLiteral("Remote/AllowNetwork"), QStringLiteral("YES"));
    }
    std::unique_ptr<QSettings> settings(settingsIn(dir));
    RemoteSettings read;
    readremotesettings(*settings, read);
    QCOMPARE(read.enabled, false);
    QCOMPARE(read.port, RemoteSettings::defaultPort);
    QCOMPARE(read.allowNetwork, true);
}

void TestRemoteSettings::aTokenIsAlwaysThere()
{
    // No token, or one too short to be a secret: a new one is made, and differs every time.
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings(settingsIn(dir));
    settings->setValue(QStringLiteral("Remote/Token"), QStringLiteral("1234"));
    RemoteSettings first, second;
    readremotesettings(*settings, first);
    readremotesettings(*settings, second);
    QVERIFY(first.token.size() >= 32);
    QVERIFY(first.token != second.token);
    QVERIFY(!first.token.contains(QLatin1Char('&')) && !first.token.contains(QLatin1Char('/')));
}

void TestRemoteSettings::theQrCodeReadsAsTheAddress()
{
    const QString address =
        QStringLiteral("http://192.168.1.20:7755/?token=abcdefghijklmnopqrstuvwxyz012345");
    const QImage symbol = qrsymbol(address, 3);
    QVERIFY(!symbol.isNull());
    QCOMPARE(symbol.width(), symbol.height());
    // The quiet zone around the symbol is white.
    QCOMPARE(symbol.pixel(5, 5), qRgb(255, 255, 255));
    QVERIFY(qrsymbol(QString(8000, QLatin1Char('x')), 3).isNull());
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        QSKIP("zbarimg (zbar-tools) is not installed: the code is not read back");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("code.png"));
    QVERIFY(symbol.save(file));
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), file});
    QVERIFY(zbar.waitForFinished(15000));
    QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), address);
}

VANTELL_CORE_TEST_MAIN(TestRemoteSettings)
#include "test_remotesettings.moc"
