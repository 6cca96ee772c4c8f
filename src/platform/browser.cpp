#include "platform/browser.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "platform/pageschemehandler.h"
#include "platform/scriptpageguard.h"

namespace {

// The page's body tag carries the legacy mirror and rotation filters, which this browser does
// not know; this style sheet gives the same flip and turn of the whole body, and keeps the
// reader from selecting text by accident.
constexpr const char *transformScript = R"JS(
(function () {
    if (location.protocol !== 'vantell:') return;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(
        'body[style*="BasicImage(mirror=1)"] { transform: scaleX(-1); }' +
        'body[style*="BasicImage(rotation=2)"] { transform: rotate(180deg); }' +
        'body[style*="BasicImage(mirror=1)"][style*="BasicImage(rotation=2)"] { transform: scaleX(-1) rotate(180deg); }' +
        'html, body { user-select: none; }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
)JS";

// The smooth motion. The page moves by an animation of the root element's shift, which the
// browser plays on every frame by itself, fractions of a pixel included: scrolling or changing
// the page from a script on every frame stalls the browser. The whole pixels of the shift are
// folded into the scroll position from time to time (fold), which also takes wheel and key
// movements into account; the animation ends where the page does.
constexpr const char *motionFunctions = R"JS(
window.__vantellMotion = window.__vantellMotion || (function () {
    const root = document.documentElement;
    // A layer of its own, so that the browser moves the page without drawing it again.
    root.style.willChange = 'transform';
    const motion = { rate: 0, animation: null };
    const shift = () => {
        const transform = getComputedStyle(root).transform;
        return transform && transform !== 'none' ? -new DOMMatrix(transform).m42 : 0;
    };
    const show = (offset, target) => {
        if (motion.animation) motion.animation.cancel();
        motion.animation = null;
        root.style.transform = offset ? 'translateY(' + (-offset).toFixed(3) + 'px)' : '';
        if (motion.rate === 0 || target === offset || (target - offset) * motion.rate < 0) return;
        motion.animation = root.animate(
            [{ transform: 'translateY(' + (-offset) + 'px)' }, { transform: 'translateY(' + (-target) + 'px)' }],
            { duration: (target - offset) / motion.rate * 1000, easing: 'linear', fill: 'forwards' });
        motion.animation.startTime = document.timeline.currentTime;
    };
    motion.fold = () => {
        let offset = shift();
        const whole = Math.trunc(offset);
        if (whole) {
            window.scrollBy(0, whole);
            offset -= whole;
        }
        const y = window.scrollY;
        const bottom = Math.max(0, root.scrollHeight - window.innerHeight);
        show(offset, motion.rate > 0 ? bottom - y : -y);
        return Math.round(window.scrollY);
    };
    motion.setRate = (rate) => {
        motion.rate = rate;
        return motion.fold();
    };
    motion.drop = () => {
        motion.rate = 0;
        if (motion.animation) motion.animation.cancel();
        motion.animation = null;
        root.style.transform = '';
    };
    return motion;
})();
)JS";

// Put in front of every scroll request: it stops the motion and drops its shift.
constexpr const char *dropMotionShift = "if (window.__vantellMotion) window.__vantellMotion.drop(); ";

QString scrollToScript(int x, int y)
{
    return QLatin1String(dropMotionShift) +
           QStringLiteral("window.scrollTo(%1, %2); Math.round(window.scrollY)").arg(x).arg(y);
}

QString scrollToBottomScript()
{
    return QLatin1String(dropMotionShift) +
           QStringLiteral("window.scrollTo(0, document.body ? document.body.scrollHeight : 0); "
                          "Math.round(window.scrollY)");
}

} // namespace

Browser::Browser(QWidget *parent) : QWebEngineView(parent), m_schemes(nullptr), m_guard(nullptr)
{
    auto *profile = new QWebEngineProfile(this); // off the record: nothing is stored on disk
    m_schemes = new PageSchemeHandler(profile);
    profile->installUrlSchemeHandler(PageSchemeHandler::scheme, m_schemes);
    auto *page = new QWebEnginePage(profile, this);
    m_guard = new ScriptPageGuard(page);
    page->setUrlRequestInterceptor(m_guard);
    page->setBackgroundColor(Qt::black);

    QWebEngineScript transforms;
    transforms.setName(QStringLiteral("vantell-transforms"));
    transforms.setInjectionPoint(QWebEngineScript::DocumentCreation);
    transforms.setWorldId(QWebEngineScript::ApplicationWorld);
    transforms.setRunsOnSubFrames(false);
    transforms.setSourceCode(QString::fromLatin1(transformScript));
    page->scripts().insert(transforms);

    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, true);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);

    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        ++m_loadsInProgress;
        m_loadRequested = false;
        ++m_generation;
        m_pendingStep = 0;
        m_smoothRate = 0;
        m_position = 0;
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_loadsInProgress = std::max(0, m_loadsInProgress - 1);
        // A load asked for while another was starting may be merged into it and never start on
        // its own: a finished load answers every request made before it.
        m_loadRequested = false;
        m_hasDocument = true;
        // The browser reports the load from inside one of its own tasks, where it runs no further
        // tasks of its own: a handler that waits for the page there would wait in vain. Report
        // it from the event loop instead.
        QMetaObject::invokeMethod(
            this, [this] { emit documentComplete(url()); }, Qt::QueuedConnection);
    });
}

Browser::~Browser()
{
    // The page must go before the profile it uses.
    delete page();
}

void Browser::loadPageLines(const QStringList &lines)
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    m_loadRequested = true;
    load(m_schemes->publish(pagebytes(lines)));
}

QByteArray Browser::pagebytes(const QStringList &lines)
{
    // A page is one long run of text lines separated by <br>. The browser lays out such a run as
    // one paragraph, in time that grows with the square of its length once it holds characters
    // beyond Latin-1 (40,000 lines: 7 s instead of 0.9 s). An empty block after every 64th line
    // break splits the run into short paragraphs; a block ending in <br> draws exactly as the
    // unbroken run did, and a span (unlike a div) closes no open paragraph or list item.
    static const QString splitter = QStringLiteral("<span style=\"display:block\"></span>");
    constexpr int linesPerBlock = 64;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size + (size / 40 / linesPerBlock + 1) * (splitter.size() + 2));
    bool inBody = false;
    int breaks = 0;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
        if (!inBody) {
            inBody = line.startsWith(QLatin1String("<body"), Qt::CaseInsensitive);
        } else if (line.endsWith(QLatin1String("<br>"), Qt::CaseInsensitive) &&
                   ++breaks % linesPerBlock == 0) {
            text += splitter;
            text += QLatin1String("\r\n");
        }
    }
    return text.toUtf8();
}

void Browser::navigate(const QUrl &address)
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    m_loadRequested = true;
    load(address);
}

bool Browser::isScriptPage() const
{
    return url().scheme() == QLatin1String(PageSchemeHandler::scheme);
}

void Browser::runScroll(const QString &script, std::function<void()> done)
{
    if (!isDocumentComplete())
        return;
    m_pendingStep = 0; // steps not yet sent were meant for the position this request replaces
    m_smoothRate = 0;  // and the request stops any smooth motion
    ask(script, std::move(done));
}

void Browser::ask(const QString &script, std::function<void()> done)
{
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, generation, done = std::move(done)](const QVariant &value) {
                              if (!self || generation != self->m_generation)
                                  return;
                              self->acceptPosition(value);
                              if (done)
                                  done();
                          });
}

void Browser::scrollTo(int x, int y, std::function<void()> done)
{
    runScroll(scrollToScript(x, y), std::move(done));
}

void Browser::scrollToTop(std::function<void()> done)
{
    runScroll(scrollToScript(0, 0), std::move(done));
}

void Browser::scrollToBottom(std::function<void()> done)
{
    runScroll(scrollToBottomScript(), std::move(done));
}

void Browser::setSmoothMotion(double pixelsPerSecond)
{
    if (!isDocumentComplete() || pixelsPerSecond == m_smoothRate)
        return;
    m_smoothRate = pixelsPerSecond;
    page()->runJavaScript(
        QString::fromLatin1(motionFunctions) +
            QStringLiteral("window.__vantellMotion.setRate(%1);").arg(pixelsPerSecond, 0, 'f', 6),
        QWebEngineScript::ApplicationWorld);
}

void Browser::queryPosition(std::function<void()> done)
{
    if (isDocumentComplete())
        ask(QStringLiteral(
                "window.__vantellMotion ? window.__vantellMotion.fold() : Math.round(window.scrollY)"),
            std::move(done));
}

void Browser::scrollStep(int delta)
{
    if (!isDocumentComplete())
        return;
    m_pendingStep += delta;
    if (!m_stepInFlight)
        sendPendingStep();
}

void Browser::sendPendingStep()
{
    const int delta = m_pendingStep;
    m_pendingStep = 0;
    m_stepInFlight = true;
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(
        QStringLiteral("window.scrollTo(0, window.scrollY + (%1)); Math.round(window.scrollY)").arg(delta),
        QWebEngineScript::ApplicationWorld, [self, generation](const QVariant &value) {
            if (!self)
                return;
            self->m_stepInFlight = false;
            if (generation != self->m_generation)
                return;
            self->acceptPosition(value);
            if (self->m_pendingStep != 0)
                self->sendPendingStep();
        });
}

void Browser::acceptPosition(const QVariant &value)
{
    bool ok = false;
    const int y = value.toInt(&ok);
    if (!ok)
        return;
    m_position = y;
    emit scrollPositionChanged(y);
}

void Browser::focusPage()
{
    setFocus(Qt::OtherFocusReason);
    if (QWidget *proxy = focusProxy())
        proxy->setFocus(Qt::OtherFocusReason);
}

void Browser::childEvent(QChildEvent *event)
{
    // The widget that receives the page's input is created (and replaced) by the browser.
    if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QWebEngineView::childEvent(event);
}

bool Browser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            emit pageKeyDown(key->key());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            emit pageClicked(static_cast<QMouseEvent *>(event)->button());
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}
