#include <QPainter>
#include <QSvgRenderer>
#include <QThread>

#include "userflow.h"

// At a scale of 2 (QT_SCALE_FACTOR=2, on a screen of twice the usual size) the windows are laid
// out as at 1, twice as large, and drawn at the screen's resolution: the toolbar pictures and the
// logo as their drawings rendered at that size, the page's and the status line's text with edges
// one pixel wide, not enlarged from small pictures.
class FlowHighResolution : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void theWindowIsTwiceAsLarge();
    void picturesAreSharp_data();
    void picturesAreSharp();
    void textIsSharp();
    void windowsFromTheMenuAreLaidOutRight();

private:
    // The drawing `svg` as the program shows it: rendered at `size` over the black of its panel.
    static QImage rendered(const QString &svg, QSize size);
    // The smallest share of differing pixels between `picture` and the screen's pictures around
    // `at`, moved by up to `reach` pixels each way (the layout may round a pixel differently).
    static double bestMatch(const QImage &screen, const QImage &picture, QPoint at, int reach = 6);
    // Of the edges between dark and bright in `image` (left to right), the share that is at most
    // one pixel wide: text drawn at the screen's resolution has such edges, enlarged text wider.
    static double sharpEdges(const QImage &image);
    // How evenly the changes between neighbouring pixels fall on even and odd places: an image
    // enlarged by pixel doubling changes only between pairs, text drawn at size everywhere.
    static double undoubled(const QImage &image);
};

namespace {
constexpr int scale = 2;
}

void FlowHighResolution::initTestCase()
{
    QVERIFY(startSession(QSize(1280, 800) * scale));
    PrompterRun::Options options;
    options.arguments = QStringList{numberedScript(400)};
    options.scale = scale;
    QVERIFY(startProgram(options));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
}

QImage FlowHighResolution::rendered(const QString &svg, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QSvgRenderer(sourcePath(QStringLiteral("resources/icons/") + svg)).render(&painter, QRectF(image.rect()));
    return image;
}

double FlowHighResolution::bestMatch(const QImage &screen, const QImage &picture, QPoint at, int reach)
{
    double best = 1;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            best = qMin(best,
                        differingShare(screen.copy(QRect(at + QPoint(dx, dy), picture.size())), picture, 40));
    return best;
}

double FlowHighResolution::sharpEdges(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    int edges = 0;
    int sharp = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *line = gray.constScanLine(y);
        for (int x = 0; x + 1 < gray.width(); ++x) {
            if (line[x] >= 40)
                continue;
            int end = x + 1;
            while (end < gray.width() && line[end] >= 40 && line[end] <= 215)
                ++end;
            if (end < gray.width() && line[end] > 215) {
                ++edges;
                sharp += end - x - 1 <= 1;
            }
            x = end - 1;
        }
    }
    return edges < 50 ? 0 : double(sharp) / edges;
}

double FlowHighResolution::undoubled(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    int changes[2] = {0, 0};
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *line = gray.constScanLine(y);
        for (int x = 0; x + 1 < gray.width(); ++x)
            changes[x % 2] += qAbs(line[x] - line[x + 1]) > 30;
    }
    const int most = qMax(changes[0], changes[1]);
    return most == 0 ? 0 : double(qMin(changes[0], changes[1])) / most;
}

void FlowHighResolution::theWindowIsTwiceAsLarge()
{
    // The strip across the whole screen, 250 of the window's units high.
    const QRect window = prompter->geometry();
    QCOMPARE(window.width(), session->screenSize().width());
    QCOMPARE(window.height(), 250 * scale);
    const QString status = prompter->statusText();
    VERIFY_SCREEN(readsWords(status, QStringLiteral("paused coarse: 1")), prompter->statusLine(),
                  QStringLiteral("status"));
}

void FlowHighResolution::picturesAreSharp_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("svg");
    using Tool = PrompterWindow::Tool;
    QTest::newRow("Increase Speed") << int(Tool::IncreaseSpeed) << "toolbar-00.svg";
    QTest::newRow("Pause") << int(Tool::Pause) << "toolbar-08.svg";
    QTest::newRow("Load Next Script") << int(Tool::NextScript) << "toolbar-16.svg";
    QTest::newRow("Toggle Help") << int(Tool::Help) << "toolbar-20.svg";
    QTest::newRow("Toggle Dual Display") << int(Tool::DualDisplay) << "toolbar-18.svg";
    QTest::newRow("logo") << -1 << "logo-00.svg";
}

void FlowHighResolution::picturesAreSharp()
{
    QFETCH(int, tool);
    QFETCH(QString, svg);
    // Away from the tool images, then a window that has stopped changing: no hover is drawn.
    desktop->moveMouse(prompter->id(), prompter->pageArea().center());
    QImage screen = desktop->grab(prompter->id());
    waitUntil([this, &screen] {
        const QImage now = desktop->grab(prompter->id());
        const bool still = now == screen;
        screen = now;
        return still;
    });
    const QRect place =
        tool < 0 ? QRect(0, 0, 100 * scale, 70 * scale) : prompter->toolImageRect(PrompterWindow::Tool(tool));
    // Toolbar pictures are drawn 21 x 15 units large; the first image shows 20 units of its.
    const QSize drawn = tool < 0 ? place.size() : QSize(21, 15) * scale;
    const QImage sharp = rendered(svg, drawn).copy(QRect(QPoint(0, 0), place.size()));
    // The same drawing made for the small screen and enlarged: what a blurred picture looks like.
    const QImage enlarged = rendered(svg, drawn / scale)
                                .scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .copy(QRect(QPoint(0, 0), place.size()));
    const double asDrawn = bestMatch(screen, sharp, place.topLeft());
    const double asEnlarged = bestMatch(screen, enlarged, place.topLeft());
    qInfo("%s: %.3f of the pixels differ from the drawing at size, %.3f from the enlarged one",
          qPrintable(svg), asDrawn, asEnlarged);
    VERIFY_SCREEN(
        asDrawn < 0.02 && asEnlarged > asDrawn + 0.03, screen.copy(place.adjusted(-8, -8, 8, 8)),
        QStringLiteral("%1 differs by %2, an enlarged one by %3").arg(svg).arg(asDrawn).arg(asEnlarged));
}

void FlowHighResolution::textIsSharp()
{
    const QImage page = settledPage();
    const double pageEdges = sharpEdges(page);
    const double pageEven = undoubled(page);
    qInfo("page: %.2f of the text's edges one pixel wide, changes %.2f even", pageEdges, pageEven);
    VERIFY_SCREEN(pageEdges > 0.8 && pageEven > 0.5, page,
                  QStringLiteral("page edges %1 sharp, %2 undoubled").arg(pageEdges).arg(pageEven));
    VERIFY_SCREEN(readsWords(readText(page), QStringLiteral("line 1 line 2 line 3")), page,
                  QStringLiteral("page"));
    const QImage status = prompter->statusLine();
    const double statusEdges = sharpEdges(status);
    VERIFY_SCREEN(statusEdges > 0.6 && undoubled(status) > 0.5, status,
                  QStringLiteral("status edges %1 sharp").arg(statusEdges));
}

void FlowHighResolution::windowsFromTheMenuAreLaidOutRight()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    const QImage shown = desktop->grab(options);
    const QRect place = desktop->geometry(options);
    // Twice its size at 1 (501 x 480), whole on the screen, every caption readable.
    QVERIFY2(place.width() >= 501 * scale && place.height() >= 480 * scale,
             qPrintable(QStringLiteral("%1 x %2").arg(place.width()).arg(place.height())));
    QVERIFY(QRect(QPoint(0, 0), session->screenSize()).contains(place));
    const QString text = readText(shown);
    VERIFY_SCREEN(
        readsWords(text, QStringLiteral("vantell placement capitalize script display to mirror "
                                        "display to rotate smooth scrolling add script save queue")),
        shown, QStringLiteral("options"));
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Options")));

    // The quick editor (after the notice that the plain script becomes a rich one).
    prompter->menu(QStringLiteral("q"));
    const quint64 notice = desktop->waitForWindow(QStringLiteral("Vantell2  Home"), 10000);
    if (notice) {
        desktop->activate(notice);
        desktop->key(QStringLiteral("Return"));
    }
    const quint64 editor = desktop->waitForWindow(QStringLiteral("Vantell Quick Edit"));
    QVERIFY2(editor, "the quick editor did not open");
    QImage edited;
    waitUntil([this, editor, &edited] {
        edited = desktop->grab(editor);
        return readsWords(readText(edited), QStringLiteral("line 1 line 2"));
    });
    VERIFY_SCREEN(readsWords(readText(edited), QStringLiteral("line 1 line 2")), edited,
                  QStringLiteral("editor"));
    const QImage menuBar = edited.copy(0, 0, edited.width() / 2, 20 * scale);
    VERIFY_SCREEN(readsWords(readText(menuBar), QStringLiteral("file edit format")), menuBar,
                  QStringLiteral("editor menu"));
    VERIFY_SCREEN(sharpEdges(edited) > 0.6, edited, QStringLiteral("editor text"));
    // The converted script is not saved yet: the editor would ask before it closes. The group
    // ends here, and the program with it.
}

QTEST_GUILESS_MAIN(FlowHighResolution)
#include "flow_hidpi.moc"
