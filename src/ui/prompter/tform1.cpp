#include "ui/prompter/tform1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "core/engine/promptengine.h"
#include "core/platform/datapaths.h"
#include "core/platform/translation.h"
#include "core/render/page.h"
#include "core/render/specialchars.h"
#include "core/settings/httpprobe.h"
#include "core/settings/serviceaddresses.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/browser/browsersurface.h"
#include "ui/editlive/editlive.h"
#include "ui/editor/recoveryautosave.h"
#include "ui/editor/tform2.h"
#include "ui/faults/pagerestart.h"
#include "ui/faults/quickeditrecovery.h"
#include "ui/faults/scriptfilefollowing.h"
#include "ui/options/tform4.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterremote.h"
#include "ui/prompter/prompterwindowsettings.h"
#include "ui/readingaids/markerjumps.h"
#include "ui/readingaids/noticeboard.h"
#include "ui/readingaids/readingaids.h"
#include "ui/readingaids/readinglinecue.h"
#include "ui/readingaids/showclocks.h"
#include "ui/readingaids/takecountdown.h"
#include "ui/readingaids/talentmessage.h"
#include "ui/rundown/rundown.h"
#include "ui/standby/standby.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/accessiblenames.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/elidedlabel.h"
#include "ui/toolkit/statusnotice.h"
#include "ui/toolkit/statusreadout.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"
#include "ui/voice/voicecontrol.h"

namespace {

constexpr int statusPanelHeight = 52;
// How long the status line tells that a page was brought back.
constexpr int restartNoticeMs = 30000;

QFont windowFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

QWidget *panel(const char *name, QWidget *parent)
{
    auto *widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setAutoFillBackground(true);
    return widget;
}

QLabel *label(const char *name, QWidget *parent)
{
    auto *text = new QLabel(parent);
    text->setObjectName(QLatin1String(name));
    return text;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent), ImageList1(QStringLiteral("toolbar"), QSize(21, 15)),
      ImageList2(QStringLiteral("logo"), QSize(100, 70))
{
    // The converter for rich scripts writes their HTML lines only: no page head or foot.
    rtftohtm.Header.clear();
    rtftohtm.Footer.clear();
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);
    setFont(windowFont());
    resize(981, 356);

    createLayout();
    createPopupMenu();
    createFeatures();
    connectControls();
    registerCommands();
    FormCreate();
}

TForm1::~TForm1()
{
    // Whatever drives the page goes before it: the talent display's follower, the remote
    // controls' view of the prompter, voice following, and the engine.
    delete m_talent;
    delete m_remote;
    delete m_voice;
    delete engine;
}

void TForm1::setWindows(TForm2 *editor, TForm7 *progress, TForm4 *options, Taboutform *about)
{
    m_editor = editor;
    m_progress = progress;
    m_options = options;
    m_about = about;
    if (options) {
        m_voice->attachOptions(*options);
        m_rundown->attachOptions(*options);
        m_standby->attachOptions(*options);
    }
    if (editor && !m_recovery) {
        const auto openEditor = [this](const std::function<void(TForm2 &)> &fill) {
            prepareEditorFont();
            fill(*m_editor);
            runQuickEditor();
        };
        m_recovery =
            new QuickEditRecovery(*editor, editor->recovery->store(), str::RecoveryOffer, openEditor, this);
        // Edit Live's unsaved text is offered in the quick editor too.
        m_liveRecovery = new QuickEditRecovery(*editor, EditLive::recoveryStore(), str::LiveRecoveryOffer,
                                               openEditor, this);
    }
}

void TForm1::createFeatures()
{
    const PrompterParts parts{*this, *this, *engine, *wb1, *m_notice, *JvPopupMenu1, *m_commands};
    m_aids = new ReadingAids(this);
    m_talent = new TalentDisplay(parts, this);
    m_notices = new NoticeBoard(*wb1, *this, *m_talent, this);
    m_markers = new MarkerJumps(parts, *m_aids, this);
    m_readingLine = new ReadingLineCue(parts, *m_aids, *m_talent, this);
    m_countdown = new TakeCountdown(parts, *m_aids, *m_notices, this);
    m_clocks = new ShowClocks(parts, *m_aids, *m_talent, this);
    m_message = new TalentMessage(parts, *m_clocks->menu(), *m_aids, *m_notices, this);
    m_voice = new VoiceControl(parts, *m_aids, this);
    m_restart = new PageRestart(parts, *m_talent, this);
    connect(m_restart, &PageRestart::restored, this, &TForm1::pageRestored);
    m_fileFollowing = new ScriptFileFollowing(
        parts, [this](const QString &path) { return readscript(path, false); }, this);
    connect(m_fileFollowing, &ScriptFileFollowing::reloadRequested, this, &TForm1::reloadChangedScript);
    m_editLive = new EditLive(
        parts, *m_aids, *m_talent, *myrichedit,
        [this](const QString &path) {
            renameScript(path);
            m_fileFollowing->follow(path);
        },
        this);
    m_rundown = new Rundown(
        parts, *this, *m_aids, *m_talent,
        [this](const QString &path, ScriptText &text) {
            const std::optional<QStringList> lines = readscript(path, false);
            text = promptstate.scripttext;
            return lines;
        },
        this);
    connect(this, &TForm1::pageMeasured, m_rundown, &Rundown::pageMeasured);
    m_editLive->setStories(*m_rundown);
    m_remote = new PrompterRemote(*m_commands, *this, *wb1, this);
    m_remote->setLiveEditing(m_editLive);
    connect(m_rundown, &Rundown::pageEdited, m_remote, &PrompterRemote::tellPageEdit);
    m_standby = new Standby(parts, *this, *m_talent, *m_aids, *m_message, *m_clocks, *m_countdown, this);

    // The menu, in its order: the rundown, the reading aids, then voice following.
    for (QMenu *menu :
         {m_rundown->menu(), m_markers->menu(), m_readingLine->menu(), m_countdown->menu(), m_clocks->menu()})
        JvPopupMenu1->insertMenu(Showstatusbar1, menu);
    JvPopupMenu1->insertAction(Showstatusbar1, m_voice->menuEntry());
    JvPopupMenu1->insertAction(Showstatusbar1, m_standby->menuEntry());
    JvPopupMenu1->insertSeparator(Showstatusbar1);
}

void TForm1::addReadout(QWidget *readout, bool beforeVersion)
{
    // A readout that grows (a show clock's end appearing, a long story name) must not widen the
    // window: the page would be laid out anew, its lines broken elsewhere under the reader. It
    // takes the room there is, and is cut short when there is too little.
    readout->setMinimumWidth(1);
    const int version = m_statusLine->indexOf(Label6);
    m_statusLine->insertWidget(beforeVersion ? version : version + 1, readout);
}

void TForm1::createLayout()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = panel("Panel1", this);
    auto *top = new QHBoxLayout(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(createLogoPanel());

    wbpanel = panel("wbpanel", Panel1);
    auto *pageRow = new QHBoxLayout(wbpanel);
    pageRow->setContentsMargins(0, 0, 0, 0);
    pageRow->setSpacing(0);
    Panel4 = panel("Panel4", wbpanel);
    auto *pageBox = new QVBoxLayout(Panel4);
    pageBox->setContentsMargins(0, 0, 0, 0);
    wb1 = new Browser(Panel4);
    wb1->setObjectName(QStringLiteral("wb1"));
    pageBox->addWidget(wb1);
    m_surface = std::make_unique<BrowserSurface>(*wb1);
    engine = new PromptEngine(*m_surface, this);
    engine->setObjectName(QStringLiteral("engine"));
    m_commands = new PrompterCommands(this);
    m_commands->setObjectName(QStringLiteral("commands"));
    pageRow->addWidget(Panel4, 1);
    pageRow->addWidget(createSliderStrip());
    top->addWidget(wbpanel, 1);
    outer->addWidget(Panel1, 1);

    outer->addWidget(createStatusPanel());
    m_notice = new StatusNotice(Label4, restartNoticeMs);

    // The page templates, kept as hidden text controls; they are never translated.
    Header = new QPlainTextEdit(this);
    Header->setObjectName(QStringLiteral("Header"));
    Header->setPlainText(pageheader().join(QLatin1Char('\n')));
    Header->hide();
    footer = new QPlainTextEdit(this);
    footer->setObjectName(QStringLiteral("footer"));
    footer->setPlainText(pagefooter().join(QLatin1Char('\n')));
    footer->hide();

    Timer1 = engine->timer();
    mousedowntimer = new QTimer(this);
    mousedowntimer->setObjectName(QStringLiteral("mousedowntimer"));
    mousedowntimer->setInterval(500);
    readouttimer = new QTimer(this);
    readouttimer->setObjectName(QStringLiteral("readouttimer"));
    readouttimer->setInterval(100);
}

QWidget *TForm1::createLogoPanel()
{
    // The logo and the hint are placed by hand: the logo moves to the bottom for a turned page.
    Panel2 = panel("Panel2", Panel1);
    Panel2->setFixedWidth(100);
    Panel2->installEventFilter(this);
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);
    Image1 = new ToolImage(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(100, 70);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::ArrowCursor);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    Label2 = label("Label2", Panel2);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    Label2->setContextMenuPolicy(Qt::CustomContextMenu);
    return Panel2;
}

QWidget *TForm1::createSliderStrip()
{
    Panel3 = panel("Panel3", wbpanel);
    Panel3->setFixedWidth(40);
    QPalette grey = Panel3->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    grey.setColor(QPalette::WindowText, Qt::black);
    Panel3->setPalette(grey);
    auto *strip = new QVBoxLayout(Panel3);
    strip->setContentsMargins(3, 2, 3, 2);
    strip->setSpacing(1);

    Label12 = label("Label12", Panel3);
    slidera = new StepSlider(Panel3);
    slidera->setObjectName(QStringLiteral("slidera"));
    slidera->setRange(-300, 300);
    slidera->setIncrement(10);
    slidera->setSingleStep(10);
    slidera->setPageStep(10);
    slidera->setValue(10);
    slidera->setFixedSize(34, 61);
    Label11 = label("Label11", Panel3);
    speedmod = new StepSlider(Panel3);
    speedmod->setObjectName(QStringLiteral("speedmod"));
    speedmod->setRange(1, 10);
    speedmod->setIncrement(3);
    speedmod->setSingleStep(3);
    speedmod->setPageStep(3);
    speedmod->setValue(1);
    speedmod->setFixedSize(34, 48);
    QFont stripFont = windowFont();
    stripFont.setPointSize(7);
    for (QLabel *caption : {Label12, Label11}) {
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(stripFont);
    }
    strip->addWidget(Label12);
    strip->addWidget(slidera, 0, Qt::AlignHCenter);
    strip->addWidget(Label11);
    strip->addWidget(speedmod, 0, Qt::AlignHCenter);
    strip->addStretch();

    // The hidden rich-text worker that loads rich scripts.
    myrichedit = new QTextEdit(Panel3);
    myrichedit->setObjectName(QStringLiteral("myrichedit"));
    myrichedit->setLineWrapMode(QTextEdit::NoWrap);
    myrichedit->setFont(windowFont());
    // It feeds the black page: text without a colour of its own is the page's white.
    QPalette page = myrichedit->palette();
    page.setColor(QPalette::Base, Qt::black);
    page.setColor(QPalette::Text, Qt::white);
    myrichedit->setPalette(page);
    myrichedit->hide();
    return Panel3;
}

ToolImage *TForm1::addToolImage(const char *name, const char *hint, int restIndex)
{
    auto *image = new ToolImage(Panel5);
    image->setObjectName(QLatin1String(name));
    image->setProperty("hint", QByteArray(hint));
    image->setProperty("restIndex", restIndex);
    image->setFixedSize(restIndex == 0 ? QSize(20, 15) : QSize(21, 15));
    connect(image, &ToolImage::mouseEnter, this,
            [this, image, restIndex] { mouseover(restIndex + 1, image); });
    connect(image, &ToolImage::mouseLeave, this, [this, image, restIndex] { mouseover(restIndex, image); });
    return image;
}

QWidget *TForm1::createStatusPanel()
{
    statusbar = panel("statusbar", this);
    statusbar->setFixedHeight(statusPanelHeight);
    auto *fill = new QVBoxLayout(statusbar);
    fill->setContentsMargins(0, 0, 0, 0);
    Panel5 = panel("Panel5", statusbar);
    fill->addWidget(Panel5);
    auto *rows = new QVBoxLayout(Panel5);
    rows->setContentsMargins(4, 0, 4, 2);
    rows->setSpacing(0);

    Panel6 = panel("Panel6", Panel5);
    Panel6->setFixedHeight(25);
    auto *line = new QHBoxLayout(Panel6);
    m_statusLine = line;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(16);
    Label1 = label("Label1", Panel6);
    coarselabel = label("coarselabel", Panel6);
    // A long path or notice must not widen the window past the screen: its middle is left out.
    Label4 = new ElidedLabel(Panel6);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label6 = label("Label6", Panel6);
    timespentlabel = label("timespentlabel", Panel6);
    timeleftlabel = label("timeleftlabel", Panel6);
    Label1->setMinimumWidth(70);
    coarselabel->setMinimumWidth(60);
    Label4->setTextFormat(Qt::PlainText);
    for (QLabel *readout : {timespentlabel, timeleftlabel}) {
        readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readout->setFrameStyle(QFrame::Box | QFrame::Plain);
        readout->setMinimumWidth(150);
        readout->setContentsMargins(4, 0, 4, 0);
    }
    line->addWidget(Label1);
    line->addWidget(coarselabel);
    line->addWidget(Label4, 1);
    line->addWidget(Label6);
    line->addWidget(timespentlabel);
    line->addWidget(timeleftlabel);
    rows->addWidget(Panel6);

    auto *toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(0, 0, 0, 0);
    toolbar->setSpacing(3);
    Image4 = addToolImage("Image4", str::IncreaseSpeed, 0);
    Image12 = addToolImage("Image12", str::DecreaseSpeed, 2);
    Image10 = addToolImage("Image10", str::CoarseFaster, 6);
    Image11 = addToolImage("Image11", str::CoarseSlower, 4);
    Image9 = addToolImage("Image9", str::Pause, 8);
    Image8 = addToolImage("Image8", str::ReverseDirection, 10);
    Image7 = addToolImage("Image7", str::Reset, 12);
    Image6 = addToolImage("Image6", str::LoadPreviousScript, 14);
    Image5 = addToolImage("Image5", str::LoadNextScript, 16);
    Label7 = label("Label7", Panel5);
    Image13 = addToolImage("Image13", str::ToggleHelp, 20);
    Label5 = label("Label5", Panel5);
    Image14 = addToolImage("Image14", str::ToggleRotateText, 30);
    Image2 = addToolImage("Image2", str::ToggleMirrorText, 28);
    Image3 = addToolImage("Image3", str::ToggleDualDisplay, 18);
    for (ToolImage *image : {Image4, Image12, Image10, Image11, Image9, Image8, Image7, Image6, Image5})
        toolbar->addWidget(image);
    toolbar->addWidget(Label7);
    toolbar->addWidget(Image13);
    Label5->setAlignment(Qt::AlignCenter);
    QFont helpFont(QStringLiteral("Arial"));
    helpFont.setPointSize(8);
    Label5->setFont(helpFont);
    QPalette silver = Label5->palette();
    silver.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    Label5->setPalette(silver);
    toolbar->addWidget(Label5, 1);
    for (ToolImage *image : {Image14, Image2, Image3})
        toolbar->addWidget(image);
    rows->addLayout(toolbar);
    return statusbar;
}

void TForm1::createPopupMenu()
{
    JvPopupMenu1 = new QMenu(this);
    JvPopupMenu1->setObjectName(QStringLiteral("JvPopupMenu1"));
    const auto item = [this](const char *name, int imageIndex) {
        auto *action = JvPopupMenu1->addAction(QString());
        action->setObjectName(QLatin1String(name));
        if (imageIndex >= 0)
            action->setIcon(ImageList1.icon(imageIndex));
        return action;
    };
    OpenSimplescript1 = item("OpenSimplescript1", 22);
    Font2 = item("Font2", 23);
    JvPopupMenu1->addSeparator();
    Options2 = item("Options2", 26);
    JvPopupMenu1->addSeparator();
    EditScript2 = item("EditScript2", 25);
    PrintScript2 = item("PrintScript2", 24);
    JvPopupMenu1->addSeparator();
    // The features' entries come here (createFeatures), before the status bar's.
    Showstatusbar1 = item("Showstatusbar1", -1);
    Showstatusbar1->setCheckable(true);
    Showstatusbar1->setChecked(true);
    JvPopupMenu1->addSeparator();
    About1 = item("About1", 27);
    JvPopupMenu1->addSeparator();
    Exit1 = item("Exit1", -1);
    JvPopupMenu1->setStyleSheet(QStringLiteral(
        "QMenu { background: #F4F4F4; color: black; border: 1px solid #808080; }"
        "QMenu::item { padding: 3px 24px 3px 28px; }"
        "QMenu::item:selected { background: #B6BDD2; border: 1px solid #0A246A; color: black; }"
        "QMenu::separator { height: 1px; background: #C0C0C0; margin: 2px 4px; }"));
}

void TForm1::setTexts()
{
    setWindowTitle(i18n(str::MainCaption));
    Label5->setText(i18n(str::HelpLine));
    Label2->setText(i18n(str::RightClickForMenu));
    Label12->setText(i18n(str::Speed));
    Label11->setText(i18n(str::Coarse));
    Label7->setText(i18n(str::Separator));
    OpenSimplescript1->setText(i18n(str::MenuOpenSingleScript));
    Font2->setText(i18n(str::MenuFont));
    Options2->setText(i18n(str::MenuOptions));
    EditScript2->setText(i18n(str::MenuQuickEdit));
    PrintScript2->setText(i18n(str::MenuPrintScript));
    Showstatusbar1->setText(i18n(str::MenuShowStatusBar));
    About1->setText(i18n(str::MenuAbout));
    Exit1->setText(i18n(str::MenuExit));
    m_markers->setTexts();
    m_readingLine->setTexts();
    m_countdown->setTexts();
    m_clocks->setTexts();
    m_message->setTexts();
    m_voice->setTexts();
    m_rundown->setTexts();
    for (ToolImage *image : {Image4, Image12, Image10, Image11, Image9, Image8, Image7, Image6, Image5,
                             Image13, Image14, Image2, Image3})
        image->setToolTip(i18n(image->property("hint").toByteArray().constData()));
}

void TForm1::FormCreate()
{
    // The read-outs tell screen readers of their changes politely, not on every tick.
    new StatusReadout(Label1, i18n(str::CurrentSpeed), 500);
    new StatusReadout(timespentlabel, i18n(str::ElapsedTime), 5000);
    new StatusReadout(timeleftlabel, i18n(str::RemainingTime), 5000);
    setTexts();
    promptstate.versiontext = i18n(str::VersionText);
    for (ToolImage *image : {Image4, Image12, Image10, Image11, Image9, Image8, Image7, Image6, Image5,
                             Image13, Image14, Image2, Image3})
        mouseover(image->property("restIndex").toInt(), image);
    restoreSettings(this);
    webquery = ::webquery(QStringLiteral(VANTELL_VERSION), QStringLiteral("H"));
    http1 = new HttpProbe(this);
    http1->setObjectName(QStringLiteral("http1"));
    wbpanel->show();
    promptstate.helpshown = false;
    promptstate.mirroron = false;
    promptstate.rotateon = false;
    promptstate.scriptlines.clear();
    promptstate.pagelines = emptypage(PageFont{displayfont.name, displayfont.size});
    wb1->loadPageLines(promptstate.pagelines);
    Label4->setText(i18n(str::NoScript));
    Label1->setText(i18n(str::Paused));
    Label6->setText(promptstate.versiontext + QLatin1Char(' '));
    coarselabel->setText(i18n(str::Coarse) + QString::number(speedmod->value()));
    setform();
    // Names for screen readers: the sliders and the logo by their captions, the page by what it
    // is, the toolbar images by their hints.
    Label12->setBuddy(slidera);
    Label11->setBuddy(speedmod);
    Label2->setBuddy(Image1);
    wb1->setAccessibleName(i18n(str::ScriptPage));
    nameControlsAccessibly(this);
    loadSpecialTable();
}

void TForm1::loadSpecialTable()
{
    promptstate.specialtable.clear();
    const QString path = DataPaths::find(QStringLiteral("specialchars.dat"));
    if (path.isEmpty()) {
        Dialogs::current().message(i18n(str::SpecialCharsMissing));
        return;
    }
    // A table that exists but cannot be read is reported like any other error; the program then
    // runs on with an empty table.
    try {
        promptstate.specialtable = loadspecialtable(path);
    } catch (const std::exception &error) {
        ApplicationEvents1Exception(QString::fromUtf8(error.what()));
    }
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    showStartPage();
    setform();
    Image1->setPixmap(ImageList2.picture(0, devicePixelRatioF()));
    placeLogoPanel();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    closeoutputwindow();
    if (m_options)
        m_options->clearQueue();
    saveSettings(this);
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::endProgram()
{
    if (m_editor)
        m_editor->closeKeepingRecovery();
    if (isVisible())
        close();
}

void TForm1::commitSessionData()
{
    if (m_editor)
        m_editor->recovery->keepNow();
    saveSettings(this);
}

void TForm1::offerRecovery()
{
    for (QuickEditRecovery *recovery : {m_recovery, m_liveRecovery})
        if (recovery)
            recovery->offer();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel2 && event->type() == QEvent::Resize)
        placeLogoPanel();
    // The page's panel holds only the page: a key reaching it is one the browser hands back
    // unused, already taken as it was pressed (Browser::pageKeyDown). It must not act twice.
    if (watched == Panel4 && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TForm1::placeLogoPanel()
{
    const int hintHeight = Label2->heightForWidth(Panel2->width());
    Label2->setGeometry(0, Panel2->height() - hintHeight - 4, Panel2->width(), hintHeight);
    flipmarker();
}

void TForm1::ApplicationEvents1Exception(const QString &text)
{
    Dialogs::current().message(text);
}
