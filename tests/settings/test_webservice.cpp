#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "localwebservice.h"
#include "core/settings/httpprobe.h"
#include "testsupport/testmain.h"

// The connection probe and the program's own web service, on 127.0.0.1 only, and the help pages it
// serves.
class TestWebService : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void probeAnswersTrueForAPage();
    void probeAnswersFalseOnErrors_data();
    void probeAnswersFalseOnErrors();
    void probeGivesUpOnASilentServer();

    void routes_data();
    void routes();
    void headHasNoBody();
    void rawRequests_data();
    void rawRequests();
    void requestsAreRecorded();

    void helpPagesLeadOnlyToEachOther_data();
    void helpPagesLeadOnlyToEachOther();

private:
    bool probe(HttpProbe &probe, const QUrl &address);
    QNetworkReply *get(const QString &target, const QByteArray &method = "GET");
    QByteArray raw(const QByteArray &request);

    LocalWebService m_service;
    QNetworkAccessManager m_network;
};

void TestWebService::initTestCase()
{
    QVERIFY(m_service.listen());
    m_service.setHelpDirectory(QStringLiteral(VANTELL_HELP_SOURCE));
    m_service.setCurrentVersion(QStringLiteral("2.2.1"));
}

bool TestWebService::probe(HttpProbe &probe, const QUrl &address)
{
    bool answered = false;
    bool reachable = false;
    probe.testhttp(address, [&](bool result) {
        answered = true;
        reachable = result;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 10000))
        qFatal("the probe gave no answer");
    return reachable;
}

QNetworkReply *TestWebService::get(const QString &target, const QByteArray &method)
{
    QNetworkRequest request(m_service.url().resolved(QUrl(target)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply = m_network.sendCustomRequest(request, method);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    return reply;
}

QByteArray TestWebService::raw(const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_service.port());
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(request);
    QByteArray answer;
    const bool closed = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        10000);
    return closed ? answer + socket.readAll() : QByteArray();
}

void TestWebService::probeAnswersTrueForAPage()
{
    HttpProbe http1;
    QSignalSpy answered(&http1, &HttpProbe::answered);
    QVERIFY(probe(http1, m_service.url()));
    QCOMPARE(answered.size(), 1);
    QCOMPARE(http1.pending(), 0);
    QVERIFY(m_service.requests().contains(QStringLiteral("GET /")));
}

void TestWebService::probeAnswersFalseOnErrors_data()
{
    QTest::addColumn<QUrl>("address");
    QTest::newRow("refused connection") << QUrl(QStringLiteral("http://127.0.0.1:1/"));
    QTest::newRow("error status") << m_service.url().resolved(QUrl(QStringLiteral("/no/such/page")));
    QTest::newRow("no such host") << QUrl(QStringLiteral("http://no-such-host.invalid/"));
    QTest::newRow("unknown scheme") << QUrl(QStringLiteral("gopher://127.0.0.1/"));
}

void TestWebService::probeAnswersFalseOnErrors()
{
    QFETCH(QUrl, address);
    HttpProbe http1;
    QVERIFY(!probe(http1, address));
}

void TestWebService::probeGivesUpOnASilentServer()
{
    // A server that accepts and never answers stands for a dead network.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    HttpProbe http1(nullptr, 300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!probe(http1, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()))));
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(HttpProbe::defaultTimeoutMs, 5000);
}

void TestWebService::routes_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("bodyContains");
    QTest::newRow("home") << "/" << 200 << ""
                          << "Vantell web service";
    QTest::newRow("start page, current version") << "/vantell/cgi/vn2.cgi?v=2.2.1&t=H" << 200 << ""
                                                 << "Welcome to Vantell 2.2.1";
    QTest::newRow("start page, newer version") << "/vantell/cgi/vn2.cgi?v=2.10&t=H" << 200 << ""
                                               << "Welcome";
    QTest::newRow("older home edition")
        << "/vantell/cgi/vn2.cgi?v=2.1.0&t=H" << 302 << "/vantell/newversionh.html"
        << "";
    QTest::newRow("older other edition")
        << "/vantell/cgi/vn2.cgi?v=2.1.0&t=P" << 302 << "/vantell/newversionp.html"
        << "";
    QTest::newRow("update page") << "/vantell/newversionh.html" << 200 << ""
                                 << "new version of Vantell";
    QTest::newRow("help index") << "/help/" << 200 << ""
                                << "Vantell Help";
    QTest::newRow("help without slash") << "/help" << 301 << "/help/"
                                        << "";
    QTest::newRow("help page") << "/help/keys.html" << 200 << ""
                               << "Load the next script of the queue";
    QTest::newRow("style sheet") << "/help/style.css" << 200 << ""
                                 << "background";
    QTest::newRow("missing help page") << "/help/nothing.html" << 404 << ""
                                       << "No such help page";
    QTest::newRow("escaped way out") << "/help/%2e%2e/keys.html" << 404 << ""
                                     << "";
    QTest::newRow("unknown") << "/vantell/elsewhere" << 404 << ""
                             << "Not found";
}

void TestWebService::routes()
{
    QFETCH(QString, target);
    QFETCH(int, status);
    QFETCH(QString, location);
    QFETCH(QString, bodyContains);
    std::unique_ptr<QNetworkReply> reply(get(target));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    QCOMPARE(QString::fromLatin1(reply->rawHeader("Location")), location);
    QVERIFY(QString::fromUtf8(reply->readAll()).contains(bodyContains));
}

void TestWebService::headHasNoBody()
{
    std::unique_ptr<QNetworkReply> reply(get(QStringLiteral("/help/"), "HEAD"));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QVERIFY(reply->header(QNetworkRequest::ContentLengthHeader).toInt() > 0);
    QVERIFY(reply->readAll().isEmpty());
}

void TestWebService::rawRequests_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("statusLine");
    QTest::newRow("way out of the help folder")
        << QByteArray("GET /help/../CMakeLists.txt HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
    QTest::newRow("not a request") << QByteArray("HELLO\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
    QTest::newRow("absolute target") << QByteArray("GET http://127.0.0.1/ HTTP/1.1\r\n\r\n")
                                     << QByteArray("HTTP/1.1 400 Bad Request");
    QTest::newRow("post") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 0\r\n\r\n")
                          << QByteArray("HTTP/1.1 405 Method Not Allowed");
    QTest::newRow("endless header") << QByteArray("GET / HTTP/1.1\r\nX: ") + QByteArray(20000, 'x')
                                    << QByteArray("HTTP/1.1 431 Request Header Fields Too Large");
}

void TestWebService::rawRequests()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, statusLine);
    const QByteArray answer = raw(request);
    QCOMPARE(answer.left(answer.indexOf("\r\n")), statusLine);
}

void TestWebService::requestsAreRecorded()
{
    QSignalSpy requested(&m_service, &LocalWebService::requested);
    std::unique_ptr<QNetworkReply> reply(get(QStringLiteral("/vantell/cgi/vn2.cgi?v=2.2.1&t=H")));
    QCOMPARE(requested.size(), 1);
    QCOMPARE(requested.constFirst().constFirst().toString(),
             QStringLiteral("GET /vantell/cgi/vn2.cgi?v=2.2.1&t=H"));
    QCOMPARE(m_service.requests().constLast(), QStringLiteral("GET /vantell/cgi/vn2.cgi?v=2.2.1&t=H"));
}

namespace {
QString helpPage(const QString &name)
{
    QFile file(QDir(QStringLiteral(VANTELL_HELP_SOURCE)).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList helpPages()
{
    return QDir(QStringLiteral(VANTELL_HELP_SOURCE)).entryList({QStringLiteral("*.html")}, QDir::Files);
}

QString navigationBar(const QString &page)
{
    static const QRegularExpression navigation(QStringLiteral("<nav>.*?</nav>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    return navigation.match(page).captured();
}
} // namespace

void TestWebService::helpPagesLeadOnlyToEachOther_data()
{
    QTest::addColumn<QString>("page");
    QVERIFY(helpPages().contains(QStringLiteral("index.html")));
    for (const QString &page : helpPages())
        QTest::newRow(qPrintable(page)) << page;
}

// Without the service the pages are shown as files: each of them must have the style sheet, lead
// to every page from the same navigation bar, and name nothing but files of the help folder (and
// anchors that are there), never an address on the network.
void TestWebService::helpPagesLeadOnlyToEachOther()
{
    QFETCH(QString, page);
    const QString text = helpPage(page);
    QVERIFY(text.contains(QStringLiteral("<link rel=\"stylesheet\" href=\"style.css\">")));

    const QString bar = navigationBar(text);
    QCOMPARE(bar, navigationBar(helpPage(QStringLiteral("index.html"))));
    for (const QString &other : helpPages())
        QVERIFY2(bar.contains(QStringLiteral("href=\"%1\"").arg(other)), qPrintable(other));

    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    for (const QRegularExpressionMatch &match : reference.globalMatch(text)) {
        const QUrl target(match.captured(1));
        const QString where = page + QStringLiteral(": ") + match.captured(1);
        QVERIFY2(target.isRelative() && target.host().isEmpty() && !target.path().contains(QLatin1Char('/')),
                 qPrintable(where));
        const QString targetText = helpPage(target.path().isEmpty() ? page : target.path());
        QVERIFY2(!targetText.isEmpty(), qPrintable(where));
        if (target.hasFragment())
            QVERIFY2(targetText.contains(QStringLiteral("id=\"%1\"").arg(target.fragment())),
                     qPrintable(where));
    }
}

VANTELL_CORE_TEST_MAIN(TestWebService)
#include "test_webservice.moc"
