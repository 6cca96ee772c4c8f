#include "ui/options/tform4.h"

#include <algorithm>

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/engine/readingestimate.h"
#include "core/platform/filefilter.h"
#include "core/platform/translation.h"
#include "ui/options/optionswindowsettings.h"
#include "ui/options/queueentrydelegate.h"
#include "core/queue/queuefile.h"
#include "ui/options/readingaidoptions.h"
#include "core/render/droppedfiles.h"
#include "core/render/scripttext.h"
#include "stringtable.h"
#include "ui/toolkit/accessiblenames.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/filedrop.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/toolimage.h"

namespace {

QFont windowFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QWidget *panel(const char *name, QWidget *parent)
{
    return named(new QWidget(parent), name);
}

QLabel *label(const char *name, QWidget *parent)
{
    return named(new QLabel(parent), name);
}

// A button that picks a page: in the window's own light on dark, as its other texts; the page
// shown is the lighter. Enter stays the window's Ok.
void stylePageButton(QPushButton *button)
{
    button->setCheckable(true);
    button->setAutoDefault(false);
    button->setFixedHeight(24);
    button->setStyleSheet(QStringLiteral("QPushButton { background: #202020; color: #d0d0d0; border: 1px "
                                         "solid #505050; padding: 2px 8px; }"
                                         "QPushButton:checked { background: #505050; color: white; }"));
}

RadioGroup *radioGroup(const char *name, int height, QWidget *parent)
{
    auto *group = named(new RadioGroup(parent), name);
    group->setFixedHeight(height);
    return group;
}

} // namespace

TForm4::TForm4(QWidget *parent) : QDialog(parent), ImageList1(QStringLiteral("queue"), QSize(28, 21))
{
    setObjectName(QStringLiteral("Form4"));
    setFont(windowFont());
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    // Radio buttons draw their circle in the base colour: a dark grey shows it on black.
    black.setColor(QPalette::Base, QColor(0x30, 0x30, 0x30));
    black.setColor(QPalette::Text, Qt::white);
    black.setColor(QPalette::ButtonText, Qt::black);
    // Queue actions that wait (while the newsroom's running order is the queue) show it.
    black.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    setPalette(black);
    setAutoFillBackground(true);
    // The window is taller than the queue needs so that the features' pages fit under the queue.
    setFixedSize(521, 720);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    Panel1 = panel("Panel1", this);
    Panel1->setFixedHeight(41);
    auto *strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(6, 3, 6, 3);
    Image1 = label("Image1", Panel1);
    Image1->setPixmap(
        ImageList(QStringLiteral("optionslogo"), QSize(153, 35)).picture(0, devicePixelRatioF()));
    strip->addWidget(Image1);
    strip->addStretch();
    outer->addWidget(Panel1);

    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(createQueueColumn());
    columns->addWidget(createOptionsColumn());
    outer->addLayout(columns, 1);

    setWindowTitle(i18n(str::OptionsCaption));
    Panel4->setText(i18n(str::Queue));
    Label2->setText(i18n(str::VantellPlacement));
    mainformlocation->setItems({i18n(str::AlignTop), i18n(str::AlignBottom)});
    Label1->setText(i18n(str::CapitalizeScript));
    allcaps->setItems({i18n(str::No), i18n(str::Yes)});
    Label3->setText(i18n(str::DisplayToMirror));
    Label8->setText(i18n(str::DisplayToRotate));
    for (RadioGroup *target : {mtype, rtype})
        target->setItems({i18n(str::Local), i18n(str::Remote), i18n(str::Both)});
    smoothscroll->setTitle(i18n(str::SmoothScrolling));
    smoothscroll->setItems({i18n(str::No), i18n(str::Yes)});
    reloadscript->setTitle(i18n(str::ReloadWhenFileChanges));
    reloadscript->setItems({i18n(str::No), i18n(str::Yes)});
    displaypagebutton->setText(i18n(str::DisplayOptionsPage));
    aidspagebutton->setText(i18n(str::ReadingAidsPage));
    showOptionsPage(0);
    Button1->setText(i18n(str::Ok));
    Button2->setText(i18n(str::Cancel));
    addlabel->setText(i18n(str::AddScript));
    removelabel->setText(i18n(str::RemoveScript));
    savelabel->setText(i18n(str::LoadQueue));
    loadlabel->setText(i18n(str::SaveQueue));
    for (RadioGroup *group : {mainformlocation, allcaps, mtype, rtype, smoothscroll, reloadscript})
        group->setItemIndex(0);
    restoreSettings(this);
    // Names for screen readers: the list, the queue actions' pictures and the option groups by
    // their captions.
    Image1->setAccessibleName(i18n(str::ProgramLogo));
    Panel4->setBuddy(ListBox1);
    addlabel->setBuddy(Image6);
    removelabel->setBuddy(Image2);
    savelabel->setBuddy(Image5);
    loadlabel->setBuddy(Image4);
    Label2->setBuddy(mainformlocation);
    Label1->setBuddy(allcaps);
    Label3->setBuddy(mtype);
    Label8->setBuddy(rtype);
    nameControlsAccessibly(this);
    connect(ReadingAids, &ReadingAidOptions::paceChanged, this, [this](int wpm) {
        m_entries->setPace(wpm);
        ListBox1->viewport()->update();
        showQueueTime();
    });
    showQueueTime();
}

QWidget *TForm4::createQueueColumn()
{
    Panel2 = panel("Panel2", this);
    Panel2->setFixedWidth(321);
    auto *column = new QVBoxLayout(Panel2);
    column->setContentsMargins(6, 4, 4, 6);
    column->setSpacing(2);
    Panel4 = label("Panel4", Panel2);
    Panel4->setFixedHeight(16);
    Panel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    column->addWidget(Panel4);

    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    ListBox1 = named(new QListWidget(Panel2), "ListBox1");
    QPalette list = ListBox1->palette();
    list.setColor(QPalette::Base, Qt::black);
    ListBox1->setPalette(list);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_entries = new QueueEntryDelegate(ListBox1);
    ListBox1->setItemDelegate(m_entries);
    // Scripts dropped on the list join the queue, unless the newsroom's running order is the queue.
    new FileDrop(
        ListBox1,
        [this](const QMimeData *data) { return Image6->isEnabled() ? droppedscripts(data) : QStringList(); },
        [this](const QStringList &scripts) { addScripts(scripts); });
    row->addWidget(ListBox1, 1);

    // Each action is a picture with its text beside it; a click on either runs it.
    Panel5 = panel("Panel5", Panel2);
    Panel5->setFixedWidth(112);
    auto *actions = new QVBoxLayout(Panel5);
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(0);
    actions->addWidget(
        queueAction("Panel9", Image6, "Image6", addlabel, "addlabel", 0, &TForm4::Image3MouseUp));
    actions->addWidget(
        queueAction("Panel7", Image2, "Image2", removelabel, "removelabel", 2, &TForm4::Image2MouseUp));
    actions->addWidget(
        queueAction("Panel10", Image5, "Image5", savelabel, "savelabel", 4, &TForm4::Image5MouseUp));
    actions->addWidget(
        queueAction("Panel8", Image4, "Image4", loadlabel, "loadlabel", 6, &TForm4::Image4MouseUp));
    actions->addStretch();
    row->addWidget(Panel5);
    column->addLayout(row, 1);
    queuetime = label("queuetime", Panel2);
    column->addWidget(queuetime);
    // The features' pages, one shown at a time, picked by a row of buttons above them; shown
    // once a feature has added its page.
    m_featureArea = panel("featurearea", Panel2);
    auto *area = new QVBoxLayout(m_featureArea);
    area->setContentsMargins(0, 6, 0, 0);
    area->setSpacing(2);
    m_featureButtons = new QGridLayout;
    m_featureButtons->setSpacing(0);
    area->addLayout(m_featureButtons);
    m_featureGroup = new QButtonGroup(m_featureArea);
    m_featurePages = named(new QStackedWidget(m_featureArea), "featurepages");
    area->addWidget(m_featurePages);
    m_featureArea->hide();
    column->addWidget(m_featureArea);
    connect(m_featureGroup, &QButtonGroup::idClicked, this,
            [this](int index) { showFeaturePage(m_featurePages->widget(index)); });
    return Panel2;
}

QWidget *TForm4::queueAction(const char *panelName, ToolImage *&image, const char *imageName, QLabel *&text,
                             const char *labelName, int restIndex, void (TForm4::*action)())
{
    QWidget *row = panel(panelName, Panel5);
    row->setFixedHeight(27);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    image = named(new ToolImage(row), imageName);
    image->setFixedSize(28, 21);
    auto *caption = named(new ToolImage(row), labelName);
    caption->setFocusPolicy(Qt::NoFocus);
    text = caption;
    layout->addWidget(image);
    layout->addWidget(caption, 1);
    ToolImage *picture = image;
    mouseover(restIndex, picture);
    connect(picture, &ToolImage::mouseEnter, this,
            [this, picture, restIndex] { mouseover(restIndex + 1, picture); });
    connect(picture, &ToolImage::mouseLeave, this,
            [this, picture, restIndex] { mouseover(restIndex, picture); });
    connect(picture, &ToolImage::mouseUp, this, action);
    connect(caption, &ToolImage::mouseUp, this, action);
    return row;
}

QWidget *TForm4::createOptionsColumn()
{
    Panel3 = panel("Panel3", this);
    auto *column = new QVBoxLayout(Panel3);
    column->setContentsMargins(4, 4, 6, 0);
    column->setSpacing(2);
    // Two pages of options, picked by a row of buttons above them.
    auto *switcher = new QHBoxLayout;
    switcher->setSpacing(0);
    displaypagebutton = named(new QPushButton(Panel3), "displaypagebutton");
    aidspagebutton = named(new QPushButton(Panel3), "aidspagebutton");
    auto *pages = new QButtonGroup(Panel3);
    int index = 0;
    for (QPushButton *button : {displaypagebutton, aidspagebutton}) {
        stylePageButton(button);
        pages->addButton(button, index++);
        switcher->addWidget(button);
    }
    column->addLayout(switcher);
    optionspages = named(new QStackedWidget(Panel3), "optionspages");
    optionspages->addWidget(createDisplayPage());
    ReadingAids = new ReadingAidOptions(optionspages);
    optionspages->addWidget(ReadingAids);
    column->addWidget(optionspages, 1);
    connect(pages, &QButtonGroup::idClicked, this, &TForm4::showOptionsPage);

    Panel6 = panel("Panel6", Panel3);
    Panel6->setFixedHeight(35);
    auto *buttons = new QHBoxLayout(Panel6);
    buttons->setContentsMargins(0, 3, 0, 3);
    Button1 = named(new QPushButton(Panel6), "Button1");
    Button2 = named(new QPushButton(Panel6), "Button2");
    for (QPushButton *button : {Button1, Button2})
        button->setFixedSize(75, 29);
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);
    column->addWidget(Panel6);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    return Panel3;
}

QWidget *TForm4::createDisplayPage()
{
    displaypage = panel("displaypage", this);
    auto *column = new QVBoxLayout(displaypage);
    column->setContentsMargins(0, 4, 0, 0);
    column->setSpacing(2);
    Label2 = label("Label2", displaypage);
    mainformlocation = radioGroup("mainformlocation", 51, displaypage);
    Label1 = label("Label1", displaypage);
    allcaps = radioGroup("allcaps", 51, displaypage);
    column->addWidget(Label2);
    column->addWidget(mainformlocation);
    column->addWidget(Label1);
    column->addWidget(allcaps);

    Panel11 = panel("Panel11", displaypage);
    auto *targets = new QVBoxLayout(Panel11);
    targets->setContentsMargins(0, 0, 0, 0);
    targets->setSpacing(2);
    Label3 = label("Label3", Panel11);
    mtype = radioGroup("mtype", 70, Panel11);
    Label8 = label("Label8", Panel11);
    rtype = radioGroup("rtype", 70, Panel11);
    targets->addWidget(Label3);
    targets->addWidget(mtype);
    targets->addWidget(Label8);
    targets->addWidget(rtype);
    column->addWidget(Panel11);
    smoothscroll = radioGroup("smoothscroll", 62, displaypage);
    column->addWidget(smoothscroll);
    reloadscript = radioGroup("reloadscript", 62, displaypage);
    column->addWidget(reloadscript);
    column->addStretch();

    return displaypage;
}

void TForm4::addFeaturePage(QWidget *page, const char *buttonName, const char *title)
{
    // Three buttons a row, in the order the features add their pages.
    constexpr int buttonsPerRow = 3;
    const int index = m_featurePages->addWidget(page);
    auto *button = named(new QPushButton(i18n(title), m_featureArea), buttonName);
    stylePageButton(button);
    m_featureGroup->addButton(button, index);
    m_featureButtons->addWidget(button, index / buttonsPerRow, index % buttonsPerRow);
    nameControlsAccessibly(page);
    m_featureArea->show();
    if (index == 0)
        showFeaturePage(page);
}

void TForm4::showFeaturePage(QWidget *page)
{
    const int index = m_featurePages->indexOf(page);
    if (index < 0)
        return;
    m_featureGroup->button(index)->setChecked(true);
    m_featurePages->setCurrentIndex(index);
    m_featurePages->setAccessibleName(m_featureGroup->button(index)->text());
}

void TForm4::showOptionsPage(int index)
{
    QPushButton *button = index == 0 ? displaypagebutton : aidspagebutton;
    button->setChecked(true);
    optionspages->setCurrentIndex(index);
    optionspages->setAccessibleName(button->text());
}

DisplayModes TForm4::modes() const
{
    DisplayModes modes;
    // Every choice but "Align Top" docks at the bottom.
    modes.docking = mainformlocation->itemIndex() != 0 ? Docking::Bottom : Docking::Top;
    modes.capitals = allcaps->itemIndex() == 1;
    modes.mirrorTarget = displaytarget(mtype->itemIndex());
    modes.rotateTarget = displaytarget(rtype->itemIndex());
    modes.smoothScrolling = smoothscroll->itemIndex() == 1;
    modes.reloadChangedScript = reloadscript->itemIndex() == 1;
    return modes;
}

void TForm4::showModes(const DisplayModes &modes)
{
    mainformlocation->setItemIndex(modes.docking == Docking::Bottom ? 1 : 0);
    allcaps->setItemIndex(modes.capitals ? 1 : 0);
    mtype->setItemIndex(static_cast<int>(modes.mirrorTarget));
    rtype->setItemIndex(static_cast<int>(modes.rotateTarget));
    smoothscroll->setItemIndex(modes.smoothScrolling ? 1 : 0);
    reloadscript->setItemIndex(modes.reloadChangedScript ? 1 : 0);
}

QStringList TForm4::queue() const
{
    QStringList entries;
    entries.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        entries << ListBox1->item(i)->text();
    return entries;
}

QList<int> TForm4::entryWords() const
{
    QList<int> words;
    words.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i) {
        const QVariant count = ListBox1->item(i)->data(QueueEntryDelegate::WordsRole);
        words << (count.isValid() ? count.toInt() : -1);
    }
    return words;
}

void TForm4::setQueue(const QStringList &entries, const QList<int> &words)
{
    ListBox1->clear();
    for (qsizetype i = 0; i < entries.size(); ++i)
        addEntry(entries.at(i), i < words.size() ? words.at(i) : scriptwords(entries.at(i)).value_or(-1));
    showQueueTime();
}

void TForm4::addScripts(const QStringList &paths)
{
    for (const QString &path : paths)
        addEntry(path, scriptwords(path).value_or(-1));
    showQueueTime();
}

void TForm4::addEntry(const QString &name, int words)
{
    auto *item = new QListWidgetItem(name, ListBox1);
    if (words >= 0)
        item->setData(QueueEntryDelegate::WordsRole, words);
}

void TForm4::clearQueue()
{
    ListBox1->clear();
    showQueueTime();
}

void TForm4::showQueueTime()
{
    const QList<int> words = entryWords();
    qint64 total = 0;
    for (const int count : words)
        total += std::max(count, 0);
    const int wpm = ReadingAids->readingpace->value();
    queuetime->setText(
        words.isEmpty() ? QString()
                        : i18n(str::QueueReadingTime).arg(readingclock(readingms(int(total), wpm))).arg(wpm));
}

void TForm4::mouseover(int index, ToolImage *image)
{
    image->setPixmap(ImageList1.picture(index, devicePixelRatioF()));
}

void TForm4::Image3MouseUp()
{
    FileDialogRequest request;
    request.filter = scriptfilter();
    const FileChoice choice = Dialogs::current().openFile(request);
    if (choice.accepted())
        addScripts({choice.path});
}

void TForm4::Image2MouseUp()
{
    const int selected = ListBox1->currentRow();
    if (selected >= 0 && ListBox1->currentItem() && ListBox1->currentItem()->isSelected()) {
        delete ListBox1->takeItem(selected);
        showQueueTime();
    }
}

void TForm4::Image5MouseUp()
{
    FileDialogRequest request;
    request.filter = i18n(str::QueueFilter);
    const FileChoice choice = Dialogs::current().openFile(request);
    if (!choice.accepted())
        return;
    try {
        setQueue(loadqueuefile(choice.path));
    } catch (const std::exception &error) {
        Dialogs::current().message(QString::fromUtf8(error.what()));
    }
}

void TForm4::Image4MouseUp()
{
    if (ListBox1->count() == 0) {
        Dialogs::current().message(i18n(str::NothingToSaveQueue));
        return;
    }
    FileDialogRequest request;
    request.filter = i18n(str::QueueFilter);
    request.defaultSuffix = QStringLiteral("vnq");
    request.confirmOverwrite = false;
    const FileChoice choice = Dialogs::current().saveFile(request);
    if (!choice.accepted())
        return;
    try {
        savequeuefile(choice.path, queue());
    } catch (const std::exception &error) {
        Dialogs::current().message(QString::fromUtf8(error.what()));
    }
}
