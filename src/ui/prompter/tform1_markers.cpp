// Markers and jumps on the prompter's page: the markers put on the page, the jumps to them and by
// lines, and their keys and menu.
#include <QAction>
#include <QMenu>

#include "ui/browser/browser.h"
#include "core/engine/markerjump.h"
#include "core/engine/promptengine.h"
#include "core/engine/readingestimate.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"

namespace {
// Free keys: the letters, +/-, F1-F4 and the menu keys are the prompter's, and remote clickers
// send page up/down, B, the full stop and F5. F12 shows and hides the reading line.
constexpr Qt::Key previousMarkerKey = Qt::Key_F6;
constexpr Qt::Key nextMarkerKey = Qt::Key_F7;
constexpr Qt::Key markerListKey = Qt::Key_F8;
constexpr Qt::Key backLinesKey = Qt::Key_F9;
constexpr Qt::Key forwardLinesKey = Qt::Key_F11;
} // namespace

void TForm1::createMarkerMenu()
{
    Markers1 = new QMenu(JvPopupMenu1);
    Markers1->setObjectName(QStringLiteral("Markers1"));
    const auto item = [this](const char *name, Qt::Key key) {
        auto *action = Markers1->addAction(QString());
        action->setObjectName(QLatin1String(name));
        // Shown beside the item; the key itself acts through promptKey, wherever the focus is.
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    NextMarker1 = item("NextMarker1", nextMarkerKey);
    PreviousMarker1 = item("PreviousMarker1", previousMarkerKey);
    GoToMarker1 = Markers1->addMenu(QString());
    GoToMarker1->setObjectName(QStringLiteral("GoToMarker1"));
    Markers1->addSeparator();
    ForwardLines1 = item("ForwardLines1", forwardLinesKey);
    BackLines1 = item("BackLines1", backLinesKey);
    Markers1->addSeparator();
    HideMarkers1 = Markers1->addAction(QString());
    HideMarkers1->setObjectName(QStringLiteral("HideMarkers1"));
    HideMarkers1->setCheckable(true);
    Markers1->setStyleSheet(JvPopupMenu1->styleSheet());
    GoToMarker1->setStyleSheet(JvPopupMenu1->styleSheet());

    connect(NextMarker1, &QAction::triggered, this, &TForm1::nextmarker);
    connect(PreviousMarker1, &QAction::triggered, this, &TForm1::previousmarker);
    connect(ForwardLines1, &QAction::triggered, this, [this] { jumplines(readingaids.jumpLines); });
    connect(BackLines1, &QAction::triggered, this, [this] { jumplines(-readingaids.jumpLines); });
    connect(HideMarkers1, &QAction::triggered, this, [this](bool hide) {
        ReadingAidSettings values = readingaids;
        values.hideMarkers = hide;
        setReadingAids(values);
    });
    // The list is made when it opens, from the script on the page then.
    connect(GoToMarker1, &QMenu::aboutToShow, this, [this] {
        GoToMarker1->clear();
        const QStringList names = markernames();
        if (names.isEmpty())
            GoToMarker1->addAction(i18n(str::NoMarkers))->setEnabled(false);
        for (int i = 0; i < names.size(); ++i) {
            // An empty name still gets an entry the operator can see and pick.
            const QString shown = names.at(i).isEmpty() ? QStringLiteral("%1").arg(i + 1) : names.at(i);
            QAction *entry = GoToMarker1->addAction(shown);
            connect(entry, &QAction::triggered, this, [this, i] { jumptomarker(i); });
        }
    });
}

void TForm1::setMarkerTexts()
{
    Markers1->setTitle(i18n(str::MenuMarkers));
    NextMarker1->setText(i18n(str::MenuNextMarker));
    PreviousMarker1->setText(i18n(str::MenuPreviousMarker));
    GoToMarker1->setTitle(i18n(str::MenuGoToMarker));
    ForwardLines1->setText(i18n(str::MenuForwardLines).arg(readingaids.jumpLines));
    BackLines1->setText(i18n(str::MenuBackLines).arg(readingaids.jumpLines));
    HideMarkers1->setText(i18n(str::MenuHideMarkers));
}

void TForm1::setReadingAids(const ReadingAidSettings &values)
{
    const bool markersChange = values.hideMarkers != readingaids.hideMarkers;
    readingaids = values;
    HideMarkers1->setChecked(values.hideMarkers);
    setMarkerTexts();
    setCountdownTexts();
    setTimingTexts();
    setTalentMessageTexts();
    applyReadingLine();
    // The markers' look is part of the page.
    if (markersChange && m_shown && !promptstate.helpshown)
        reloadwb();
}

bool TForm1::readingAidKey(int key)
{
    switch (key) {
    case nextMarkerKey:
        nextmarker();
        return true;
    case previousMarkerKey:
        previousmarker();
        return true;
    case markerListKey:
        GoToMarker1->popup(wb1->mapToGlobal(wb1->rect().center()));
        if (!GoToMarker1->actions().isEmpty())
            GoToMarker1->setActiveAction(GoToMarker1->actions().constFirst());
        return true;
    case forwardLinesKey:
        jumplines(readingaids.jumpLines);
        return true;
    case backLinesKey:
        jumplines(-readingaids.jumpLines);
        return true;
    case Qt::Key_F12:
        CueOnPrompter1->trigger();
        return true;
    case Qt::Key_Insert:
        toggleshowclock();
        return true;
    case Qt::Key_Delete:
        resetshowclock();
        return true;
    default:
        return false;
    }
}

void TForm1::markscriptpage()
{
    const QStringList shown =
        scriptmarkup(promptstate.scriptlines, promptstate.specialtable, promptstate.scripttext);
    scriptmarkers = findmarkers(shown);
    m_scriptWords = wordcount(shown);
    markpage(promptstate.pagelines, scriptmarkers,
             readingaids.hideMarkers ? MarkerDisplay::Hidden : MarkerDisplay::Quiet, displaymodes.capitals);
}

QStringList TForm1::markernames() const
{
    QStringList names;
    for (const ScriptMarker &marker : scriptmarkers)
        names << marker.name;
    return names;
}

void TForm1::glideToMeasured(const std::function<int(const PageLayout &)> &target)
{
    wb1->measureLayout([this, target](const PageLayout &layout) {
        const int y = target(layout);
        if (y >= 0)
            engine->glideTo(y, layout.viewHeight);
    });
}

namespace {
ReadingView readingview(bool upsideDown)
{
    ReadingView view;
    view.upsideDown = upsideDown;
    return view;
}
} // namespace

void TForm1::nextmarker()
{
    const ReadingView view = readingview(upsideDownLocally());
    glideToMeasured([this, view](const PageLayout &layout) {
        const int index = ::nextmarker(layout, engine->destination(), view, true);
        return index < 0 ? -1 : markerposition(layout, index, view);
    });
}

void TForm1::previousmarker()
{
    const ReadingView view = readingview(upsideDownLocally());
    glideToMeasured([this, view](const PageLayout &layout) {
        const int index = ::nextmarker(layout, engine->destination(), view, false);
        return index < 0 ? -1 : markerposition(layout, index, view);
    });
}

void TForm1::jumptomarker(int index)
{
    if (index < 0 || index >= scriptmarkers.size())
        return;
    const ReadingView view = readingview(upsideDownLocally());
    glideToMeasured([index, view](const PageLayout &layout) {
        return index < layout.markerTops.size() ? markerposition(layout, index, view) : -1;
    });
}

void TForm1::jumplines(int lines)
{
    const ReadingView view = readingview(upsideDownLocally());
    glideToMeasured([this, lines, view](const PageLayout &layout) {
        return linesposition(layout, engine->destination(), lines, view);
    });
}
