#include "ui/browser/browser.h"

#include <QChildEvent>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <utility>

#include "ui/browser/pageschemehandler.h"
#include "ui/browser/pagescripts.h"
#include "ui/browser/scriptpageguard.h"
#include "core/engine/markerjump.h"
#include "core/engine/pagemotion.h"
#include "core/voice/scriptwords.h"

namespace {

// What every request answers: the page's position, the largest position it can take, and the
// time on the pages' shared clock (milliseconds since the epoch) that the position belongs to.
constexpr const char *answerExpression =
    "[Math.round(window.scrollY),"
    " Math.max(0, Math.round((document.scrollingElement || document.documentElement).scrollHeight"
    " - window.innerHeight)),"
    " performance.timeOrigin + (document.timeline.currentTime ?? performance.now())]";

// Put in front of every scroll request: it stops the motion and drops its shift.
constexpr const char *dropMotionShift = "if (window.__vantellMotion) window.__vantellMotion.drop(); ";

// Lays a script page out `width` pixels wide and draws it `scale` times that size (width 0: as
// wide as the view, unscaled). Runs as each document is created and again on every change.
QString layoutScript(int width, double scale)
{
    const QString rule = width > 0 ? QStringLiteral("html { width: %1px; transform-origin: 0 0; "
                                                    "transform: scale(%2); }")
                                         .arg(width)
                                         .arg(scale, 0, 'f', 6)
                                   : QString();
    return pagescript(QStringLiteral("layout")) +
           QStringLiteral("('%1', %2);")
               .arg(rule, width > 0 ? QString::number(scale, 'f', 6) : QStringLiteral("0"));
}

QString answering(const QString &script)
{
    return script + QLatin1String(answerExpression);
}

QString scrollToScript(int x, int y)
{
    return answering(QLatin1String(dropMotionShift) +
                     QStringLiteral("window.scrollTo(%1, %2); ").arg(x).arg(y));
}

QString scrollToBottomScript()
{
    return answering(QLatin1String(dropMotionShift) +
                     QStringLiteral("window.scrollTo(0, document.body ? document.body.scrollHeight : 0); "));
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

    // The style every script page gets from the program: the turns of its body, and the
    // direction of each of its paragraphs.
    for (const QString &name : {QStringLiteral("transforms"), QStringLiteral("direction")}) {
        QWebEngineScript style;
        style.setName(QStringLiteral("vantell-") + name);
        style.setInjectionPoint(QWebEngineScript::DocumentCreation);
        style.setWorldId(QWebEngineScript::ApplicationWorld);
        style.setRunsOnSubFrames(false);
        style.setSourceCode(pagescript(name));
        page->scripts().insert(style);
    }

    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, true);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);

    // After a wheel turn, a key or a change of size the page may go on moving by itself for a
    // while (the browser animates such scrolls): its position is asked until it rests.
    m_watch.setInterval(watchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, &Browser::watchOnce);

    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        ++m_loadsInProgress;
        m_loadRequested = false;
        m_rendererLost = false;
        ++m_generation;
        m_pendingStep = 0;
        m_pendingFollow.reset();
        m_smoothRate = 0;
        m_position = 0;
        m_bottom = -1;
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool) {
        // A load cut short by its renderer's death reports its end after the death, when a new
        // load may already be asked for: it answers nothing.
        if (m_rendererLost)
            return;
        m_loadsInProgress = std::max(0, m_loadsInProgress - 1);
        // A script page asked for while the one before was about to finish can be dropped by the
        // browser, which then reports the older page as loaded: the newer one is asked for again.
        if (!m_wantedPage.isEmpty() && url() != m_wantedPage && m_pageRetries < maxPageRetries) {
            ++m_pageRetries;
            m_loadRequested = true;
            load(m_wantedPage);
            return;
        }
        // A load asked for while another was starting may be merged into it and never start on
        // its own: a finished load answers every request made before it.
        m_loadRequested = false;
        m_hasDocument = true;
        // The browser reports the load from inside one of its own tasks, where it runs no further
        // tasks of its own: a handler that waits for the page there would wait in vain. Report
        // it from the event loop instead.
        QMetaObject::invokeMethod(
            this,
            [this] {
                // No one goes back to an earlier script: each would otherwise keep an entry in
                // the browser's history (up to fifty, in the program's memory).
                history()->clear();
                emit documentComplete(url());
                if (m_layoutWaiting && isDocumentComplete())
                    measureLayout(std::exchange(m_layoutWaiting, nullptr));
            },
            Qt::QueuedConnection);
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &Browser::forgetRenderer);
}

Browser::~Browser()
{
    // The page answers the requests still on their way as it goes, with nothing: those answers
    // are dropped like those for a replaced document (a request made from one would make a new
    // page in the half destroyed view).
    ++m_generation;
    // Its renderer ends with it: that is no loss to report.
    disconnect(page(), &QWebEnginePage::renderProcessTerminated, this, &Browser::forgetRenderer);
    // The page must go before the profile it uses.
    delete page();
}

void Browser::loadPageLines(const QStringList &lines)
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    m_loadRequested = true;
    m_wantedPage = m_schemes->publish(pagebytes(lines));
    m_pageRetries = 0;
    load(m_wantedPage);
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
    text.reserve(size + lines.size() * linemark().size() +
                 (size / 40 / linesPerBlock + 1) * (splitter.size() + 2));
    bool inBody = false;
    int breaks = 0;
    const QString mark = linemark();
    for (const QString &line : lines) {
        if (inBody)
            text += mark;
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

QString Browser::linemark()
{
    return QStringLiteral("<span data-l></span>");
}

QString Browser::markedlines(const QStringList &lines)
{
    const QString mark = linemark();
    QString text;
    for (const QString &line : lines) {
        text += mark;
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

bool Browser::replaceScript(const QStringList &lines, const QHash<int, int> &replacedBy,
                            std::function<void()> done)
{
    if (!isDocumentComplete() || !isScriptPage())
        return false;
    // The body as a new page would have it, invisible block breaks included.
    const QString page = QString::fromUtf8(pagebytes(lines));
    const qsizetype bodyTag = page.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype bodyEnd = page.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    if (bodyTag < 0 || bodyEnd < bodyTag)
        return false;
    const qsizetype bodyStart = page.indexOf(QLatin1Char('>'), bodyTag) + 1;
    QJsonObject keys;
    for (auto replaced = replacedBy.begin(); replaced != replacedBy.end(); ++replaced)
        keys.insert(QString::number(replaced.key()), replaced.value());
    // A JSON string is a JavaScript string: the array's brackets come off.
    QString html = QString::fromUtf8(
        QJsonDocument(QJsonArray{page.mid(bodyStart, bodyEnd - bodyStart)}).toJson(QJsonDocument::Compact));
    html = html.mid(1, html.size() - 2);
    const QString map = QString::fromUtf8(QJsonDocument(keys).toJson(QJsonDocument::Compact));
    return changeScriptPage(pagescript(QStringLiteral("replacescript")) +
                                QStringLiteral("(%1, %2); ").arg(html, map),
                            std::move(done));
}

bool Browser::changeScriptPage(const QString &script, std::function<void()> done)
{
    if (!isDocumentComplete() || !isScriptPage())
        return false;
    ask(answering(script), std::move(done));
    return true;
}

void Browser::evaluate(const QString &script, std::function<void(const QVariant &)> done)
{
    if (!isDocumentComplete() || !isScriptPage())
        return;
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, generation, done = std::move(done)](const QVariant &value) {
                              if (self && generation == self->m_generation)
                                  done(value);
                          });
}

void Browser::navigate(const QUrl &address)
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    m_loadRequested = true;
    m_wantedPage.clear();
    load(address);
}

bool Browser::isScriptPage() const
{
    return url().scheme() == QLatin1String(PageSchemeHandler::scheme);
}

void Browser::setDisplayOnly()
{
    m_displayOnly = true;
    page()->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    setFocusPolicy(Qt::NoFocus);
    if (QWidget *input = focusProxy())
        input->setFocusPolicy(Qt::NoFocus);
}

void Browser::setLayoutWidth(int width)
{
    if (width == m_layoutWidth)
        return;
    m_layoutWidth = width;
    applyLayout();
}

double Browser::pageScale() const
{
    return m_layoutWidth > 0 && width() > 0 ? double(width()) / m_layoutWidth : 1.0;
}

void Browser::applyLayout()
{
    const QString source = layoutScript(m_layoutWidth, pageScale());
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(QStringLiteral("vantell-layout")))
        scripts.remove(old);
    QWebEngineScript layout;
    layout.setName(QStringLiteral("vantell-layout"));
    layout.setInjectionPoint(QWebEngineScript::DocumentCreation);
    layout.setWorldId(QWebEngineScript::ApplicationWorld);
    layout.setRunsOnSubFrames(false);
    layout.setSourceCode(source);
    scripts.insert(layout);
    if (m_hasDocument)
        page()->runJavaScript(source, QWebEngineScript::ApplicationWorld);
    watchPosition();
}

void Browser::setGutter(int width)
{
    if (width == m_gutter)
        return;
    m_gutter = width;
    const QString source = pagescript(QStringLiteral("gutter")) + QStringLiteral("(%1);").arg(width);
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(QStringLiteral("vantell-gutter")))
        scripts.remove(old);
    QWebEngineScript gutter;
    gutter.setName(QStringLiteral("vantell-gutter"));
    gutter.setInjectionPoint(QWebEngineScript::DocumentCreation);
    gutter.setWorldId(QWebEngineScript::ApplicationWorld);
    gutter.setRunsOnSubFrames(false);
    gutter.setSourceCode(source);
    scripts.insert(gutter);
    if (m_hasDocument)
        page()->runJavaScript(source, QWebEngineScript::ApplicationWorld);
    // The text flows anew: its length changes.
    watchPosition();
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
    ask(answering(pagescript(QStringLiteral("motion")) +
                  QStringLiteral("window.__vantellMotion.setRate(%1); ").arg(pixelsPerSecond, 0, 'f', 6)),
        {});
}

int Browser::estimatedPosition() const
{
    return movedposition(m_position, m_positionTime, m_smoothRate,
                         double(QDateTime::currentMSecsSinceEpoch()), m_bottom);
}

void Browser::queryPosition(std::function<void()> done)
{
    if (isDocumentComplete())
        ask(answering(QStringLiteral("if (window.__vantellMotion) window.__vantellMotion.fold(); ")),
            std::move(done));
}

void Browser::follow(int y, double atTime, double pixelsPerSecond)
{
    if (!isDocumentComplete())
        return;
    m_pendingStep = 0;
    m_smoothRate = pixelsPerSecond;
    m_pendingFollow = FollowRequest{y, atTime, pixelsPerSecond};
    if (!m_followInFlight)
        sendPendingFollow();
}

void Browser::sendPendingFollow()
{
    const FollowRequest request = *m_pendingFollow;
    m_pendingFollow.reset();
    m_followInFlight = true;
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(answering(pagescript(QStringLiteral("motion")) +
                                    QStringLiteral("window.__vantellMotion.place(%1, %2, %3); ")
                                        .arg(request.y)
                                        .arg(request.atTime, 0, 'f', 3)
                                        .arg(request.pixelsPerSecond, 0, 'f', 6)),
                          QWebEngineScript::ApplicationWorld, [self, generation](const QVariant &value) {
                              if (!self)
                                  return;
                              self->m_followInFlight = false;
                              if (generation != self->m_generation)
                                  return;
                              self->acceptPosition(value);
                              if (self->m_pendingFollow)
                                  self->sendPendingFollow();
                          });
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
    page()->runJavaScript(answering(QStringLiteral("window.scrollTo(0, window.scrollY + (%1)); ").arg(delta)),
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
    const QVariantList answer = value.toList();
    bool ok = false;
    const int y = answer.value(0).toInt(&ok);
    if (answer.size() != 3 || !ok)
        return;
    m_position = y;
    // The smooth motion's fraction of a pixel moves the page's end by a pixel either way: that is
    // no change of the page's length.
    const int bottom = answer.at(1).toInt();
    if (m_bottom < 0 || std::abs(bottom - m_bottom) > 1)
        m_bottom = bottom;
    m_positionTime = answer.at(2).toDouble();
    emit scrollPositionChanged(y);
}

void Browser::watchPosition()
{
    m_watchRounds = 0;
    m_quietAnswers = 0;
    if (!m_watch.isActive())
        m_watch.start();
}

void Browser::watchOnce()
{
    if (++m_watchRounds > maxWatchRounds) {
        m_watch.stop();
        return;
    }
    const int position = m_position;
    const int bottom = m_bottom;
    queryPosition([this, position, bottom] {
        if (m_position != position || m_bottom != bottom)
            m_quietAnswers = 0;
        else if (++m_quietAnswers >= quietAnswersToRest)
            m_watch.stop();
    });
}

void Browser::forgetRenderer()
{
    // The requests on their way die with the process: their answers never come, so nothing may
    // wait for them, and a late one belongs to a document that is gone.
    const bool hadDocument = isDocumentComplete();
    m_position = estimatedPosition();
    m_positionTime = double(QDateTime::currentMSecsSinceEpoch());
    ++m_generation;
    m_loadsInProgress = 0;
    m_loadRequested = false;
    m_hasDocument = false;
    m_rendererLost = true;
    m_pendingStep = 0;
    m_pendingFollow.reset();
    m_smoothRate = 0;
    m_stepInFlight = false;
    m_followInFlight = false;
    m_watch.stop();
    emit rendererEnded(hadDocument);
}

void Browser::measureLayout(std::function<void(const PageLayout &)> done)
{
    // A jump asked for while the page is being rebuilt is meant for the rebuilt page: it waits
    // for it rather than vanishing. Only the newest waits; the operator's last wish wins.
    if (!isDocumentComplete()) {
        m_layoutWaiting = std::move(done);
        return;
    }
    if (!isScriptPage())
        return;
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(pagescript(QStringLiteral("markers")), QWebEngineScript::ApplicationWorld,
                          [self, generation, done](const QVariant &value) {
                              if (!self)
                                  return;
                              if (generation != self->m_generation) {
                                  self->measureLayout(done);
                                  return;
                              }
                              const QVariantList answer = value.toList();
                              if (answer.size() != 5)
                                  return;
                              PageLayout layout;
                              for (const QVariant &top : answer.at(0).toList())
                                  layout.markerTops.append(top.toInt());
                              for (const QVariant &bottom : answer.at(1).toList())
                                  layout.markerBottoms.append(bottom.toInt());
                              layout.lineHeight = answer.at(2).toDouble();
                              layout.viewHeight = answer.at(3).toInt();
                              layout.bottom = answer.at(4).toInt();
                              done(layout);
                          });
}

void Browser::measureWords(std::function<void(const PageText &)> done)
{
    if (!isDocumentComplete() || !isScriptPage())
        return;
    const quint64 generation = m_generation;
    QPointer<Browser> self(this);
    page()->runJavaScript(pagescript(QStringLiteral("voicewords")), QWebEngineScript::ApplicationWorld,
                          [self, generation, done](const QVariant &value) {
                              if (!self)
                                  return;
                              if (generation != self->m_generation) {
                                  self->measureWords(done);
                                  return;
                              }
                              const QVariantList answer = value.toList();
                              if (answer.size() != 3)
                                  return;
                              PageText text;
                              for (const QVariant &word : answer.at(0).toList()) {
                                  const QVariantList pair = word.toList();
                                  if (pair.size() == 2)
                                      text.words.append({pair.at(0).toString(), pair.at(1).toInt()});
                              }
                              text.lineHeight = answer.at(1).toDouble();
                              text.viewHeight = answer.at(2).toInt();
                              done(text);
                          });
}

void Browser::focusPage()
{
    setFocus(Qt::OtherFocusReason);
    if (QWidget *proxy = focusProxy())
        proxy->setFocus(Qt::OtherFocusReason);
}

void Browser::resizeEvent(QResizeEvent *event)
{
    QWebEngineView::resizeEvent(event);
    if (m_layoutWidth > 0)
        applyLayout();
    else
        watchPosition();
}

void Browser::childEvent(QChildEvent *event)
{
    // The widget that receives the page's input is created (and replaced) by the browser; it sets
    // its own focus policy once made, before it is polished.
    const bool added = event->type() == QEvent::ChildAdded;
    const bool polished = event->type() == QEvent::ChildPolished;
    if ((added || polished) && event->child()->isWidgetType()) {
        auto *input = static_cast<QWidget *>(event->child());
        if (added)
            input->installEventFilter(this);
        else if (m_displayOnly)
            input->setFocusPolicy(Qt::NoFocus);
    }
    QWebEngineView::childEvent(event);
}

bool Browser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            // The keys that open a context menu ask for the program's menu: the page's own is off.
            const bool menuKey = key->key() == Qt::Key_Menu ||
                                 (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
            if (menuKey) {
                emit pageMenuRequested();
                return true;
            }
            emit pageKeyDown(key->key());
            if (m_displayOnly || m_commandKeys.contains(key->key()))
                return true;
            watchPosition();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            emit pageClicked(static_cast<QMouseEvent *>(event)->button());
        } else if (event->type() == QEvent::Wheel) {
            if (m_displayOnly)
                return true;
            watchPosition();
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}
