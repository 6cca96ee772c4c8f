#include "ui/readingaids/markerjumps.h"

#include <QAction>
#include <QMenu>

#include "core/engine/markerjump.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/readingaids.h"

namespace {
ReadingView readingview(bool upsideDown)
{
    ReadingView view;
    view.upsideDown = upsideDown;
    return view;
}
} // namespace

MarkerJumps::MarkerJumps(const PrompterParts &parts, ReadingAids &aids, QObject *parent)
    : QObject(parent), m_view(parts.view), m_engine(parts.engine), m_page(parts.page), m_aids(aids)
{
    setObjectName(QStringLiteral("markerjumps"));
    m_menu = new QMenu(&parts.menu);
    m_menu->setObjectName(QStringLiteral("Markers1"));
    const auto item = [this, &parts](const char *name) {
        auto *action = m_menu->addAction(QString());
        action->setObjectName(QLatin1String(name));
        parts.commands.bindMenuEntry(action);
        return action;
    };
    m_next = item("NextMarker1");
    m_previous = item("PreviousMarker1");
    m_list = m_menu->addMenu(QString());
    m_list->setObjectName(QStringLiteral("GoToMarker1"));
    m_menu->addSeparator();
    m_forward = item("ForwardLines1");
    m_back = item("BackLines1");
    m_menu->addSeparator();
    m_hide = m_menu->addAction(QString());
    m_hide->setObjectName(QStringLiteral("HideMarkers1"));
    m_hide->setCheckable(true);
    m_menu->setStyleSheet(parts.menu.styleSheet());
    m_list->setStyleSheet(parts.menu.styleSheet());
    connect(m_hide, &QAction::triggered, this, [this](bool hide) {
        m_aids.change([hide](ReadingAidSettings &aids) { aids.hideMarkers = hide; });
    });
    // The list is made when it opens, from the script on the page then.
    connect(m_list, &QMenu::aboutToShow, this, &MarkerJumps::fillList);
    connect(&aids, &ReadingAids::changed, this, &MarkerJumps::showAids);

    PrompterCommands &commands = parts.commands;
    const auto handle = [this, &commands](RemoteAction action,
                                          std::function<void(const RemoteCommand &)> act) {
        commands.handle(action, [act](const RemoteCommand &command, CommandSource) {
            act(command);
            return QString();
        });
    };
    handle(RemoteAction::NextMarker, [this](const RemoteCommand &) { next(); });
    handle(RemoteAction::PreviousMarker, [this](const RemoteCommand &) { previous(); });
    handle(RemoteAction::JumpLines, [this](const RemoteCommand &command) { jumpLines(command.value); });
    handle(RemoteAction::ForwardLines,
           [this](const RemoteCommand &) { jumpLines(m_aids.values().jumpLines); });
    handle(RemoteAction::BackLines, [this](const RemoteCommand &) { jumpLines(-m_aids.values().jumpLines); });
    handle(RemoteAction::MarkerList, [this](const RemoteCommand &) { showList(); });
    commands.handle(RemoteAction::JumpToMarker, [this](const RemoteCommand &command, CommandSource) {
        if (command.value >= m_markers.size())
            return i18n(str::RemoteNoMarker).arg(command.value + 1).arg(m_markers.size());
        jumpTo(command.value);
        return QString();
    });
}

void MarkerJumps::setTexts()
{
    m_menu->setTitle(i18n(str::MenuMarkers));
    m_next->setText(i18n(str::MenuNextMarker));
    m_previous->setText(i18n(str::MenuPreviousMarker));
    m_list->setTitle(i18n(str::MenuGoToMarker));
    m_hide->setText(i18n(str::MenuHideMarkers));
    showAids(m_aids.values());
}

void MarkerJumps::showAids(const ReadingAidSettings &before)
{
    const ReadingAidSettings &aids = m_aids.values();
    m_hide->setChecked(aids.hideMarkers);
    m_forward->setText(i18n(str::MenuForwardLines).arg(aids.jumpLines));
    m_back->setText(i18n(str::MenuBackLines).arg(aids.jumpLines));
    // The markers' look is part of the page.
    if (aids.hideMarkers != before.hideMarkers && m_view.isPageShown() && !m_view.state().helpshown)
        m_view.reloadPage();
}

void MarkerJumps::fillList()
{
    m_list->clear();
    const QStringList markerNames = names();
    if (markerNames.isEmpty())
        m_list->addAction(i18n(str::NoMarkers))->setEnabled(false);
    for (int i = 0; i < markerNames.size(); ++i) {
        // An empty name still gets an entry the operator can see and pick.
        const QString shown =
            markerNames.at(i).isEmpty() ? QStringLiteral("%1").arg(i + 1) : markerNames.at(i);
        QAction *entry = m_list->addAction(shown);
        connect(entry, &QAction::triggered, this, [this, i] { jumpTo(i); });
    }
}

void MarkerJumps::showList()
{
    m_list->popup(m_page.mapToGlobal(m_page.rect().center()));
    if (!m_list->actions().isEmpty())
        m_list->setActiveAction(m_list->actions().constFirst());
}

void MarkerJumps::markPage(QStringList &pagelines, const QStringList &scriptlines, bool capitals)
{
    m_markers = findmarkers(scriptlines);
    markpage(pagelines, m_markers, m_aids.values().hideMarkers ? MarkerDisplay::Hidden : MarkerDisplay::Quiet,
             capitals);
}

void MarkerJumps::findMarkers(const QStringList &scriptlines)
{
    m_markers = findmarkers(scriptlines);
}

QStringList MarkerJumps::names() const
{
    QStringList markerNames;
    for (const ScriptMarker &marker : m_markers)
        markerNames << marker.name;
    return markerNames;
}

void MarkerJumps::glideToMeasured(const std::function<int(const PageLayout &)> &target)
{
    m_page.measureLayout([this, target](const PageLayout &layout) {
        const int y = target(layout);
        if (y >= 0)
            m_engine.glideTo(y, layout.viewHeight);
    });
}

void MarkerJumps::next()
{
    const ReadingView view = readingview(m_view.upsideDownLocally());
    glideToMeasured([this, view](const PageLayout &layout) {
        const int index = nextmarker(layout, m_engine.destination(), view, true);
        return index < 0 ? -1 : markerposition(layout, index, view);
    });
}

void MarkerJumps::previous()
{
    const ReadingView view = readingview(m_view.upsideDownLocally());
    glideToMeasured([this, view](const PageLayout &layout) {
        const int index = nextmarker(layout, m_engine.destination(), view, false);
        return index < 0 ? -1 : markerposition(layout, index, view);
    });
}

void MarkerJumps::jumpTo(int index)
{
    if (index < 0 || index >= m_markers.size())
        return;
    const ReadingView view = readingview(m_view.upsideDownLocally());
    glideToMeasured([index, view](const PageLayout &layout) {
        return index < layout.markerTops.size() ? markerposition(layout, index, view) : -1;
    });
}

void MarkerJumps::jumpLines(int lines)
{
    const ReadingView view = readingview(m_view.upsideDownLocally());
    glideToMeasured([this, lines, view](const PageLayout &layout) {
        return linesposition(layout, m_engine.destination(), lines, view);
    });
}
