#include "ui/editor/tform2.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/editor/findreplacedialog.h"
#include "ui/editor/recoveryautosave.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/toolkit/accessiblenames.h"
#include "ui/toolkit/toolimage.h"

namespace {

QFont editorFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

// Menus drawn like the prompter's: picture column at the left, the highlighted entry framed.
const char *const menuStyle =
    "QMenu { background: #F4F4F4; color: black; border: 1px solid #808080; }"
    "QMenu::item { padding: 3px 24px 3px 28px; }"
    "QMenu::item:selected { background: #B6BDD2; border: 1px solid #0A246A; color: black; }"
    "QMenu::separator { height: 1px; background: #C0C0C0; margin: 2px 4px; }";

QWidget *toolbarBar(const char *name, QWidget *parent)
{
    auto *bar = new QWidget(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setFixedSize(2, 16);
    bar->setAutoFillBackground(true);
    QPalette grey = bar->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    bar->setPalette(grey);
    return bar;
}

} // namespace

TForm2::TForm2(QWidget *parent)
    : QDialog(parent), ImageList1(QStringLiteral("editor"), QSize(21, 15)),
      ImageList2(QStringLiteral("editorhi"), QSize(21, 15))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFont(editorFont());

    createLayout();
    createMenus();
    createToolbar();
    connectControls();
    FormCreate();
    // The client area below the menu bar.
    resize(783, 481 + JvMainMenu1->sizeHint().height());
}

void TForm2::createLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    JvMainMenu1 = new QMenuBar(this);
    JvMainMenu1->setObjectName(QStringLiteral("JvMainMenu1"));
    JvMainMenu1->setPalette(QApplication::style()->standardPalette());
    JvMainMenu1->setAutoFillBackground(true);
    layout->setMenuBar(JvMainMenu1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(22);
    layout->addWidget(Panel1);

    re1 = new QTextEdit(this);
    re1->setObjectName(QStringLiteral("re1"));
    re1->setFrameStyle(QFrame::NoFrame);
    re1->setAcceptRichText(true);
    re1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    re1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette text = re1->palette();
    text.setColor(QPalette::Base, Qt::black);
    text.setColor(QPalette::Text, Qt::white);
    re1->setPalette(text);
    re1->setFont(editorFont());
    re1->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(re1, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setPalette(QApplication::style()->standardPalette());
    StatusBar1->setAutoFillBackground(true);
    StatusBar1->setAutoFillBackground(true);
    StatusBar1->setFixedHeight(19);
    StatusBar1->setSizeGripEnabled(false);
    // The name is a label rather than a status message: menu hints would wipe a message.
    m_name = new QLabel(StatusBar1);
    m_name->setTextFormat(Qt::PlainText);
    StatusBar1->addWidget(m_name, 1);
    layout->addWidget(StatusBar1);

    FindDialog1 = new FindReplaceDialog(FindReplaceDialog::Find, this);
    ReplaceDialog1 = new FindReplaceDialog(FindReplaceDialog::Replace, this);
}

void TForm2::createMenus()
{
    const auto item = [this](QMenu *menu, const char *name, int imageIndex) {
        auto *action = menu->addAction(QString());
        action->setObjectName(QLatin1String(name));
        if (imageIndex >= 0)
            action->setIcon(ImageList1.icon(imageIndex));
        return action;
    };
    File1 = JvMainMenu1->addMenu(QString());
    New1 = item(File1, "New1", 0);
    Open1 = item(File1, "Open1", 1);
    File1->addSeparator();
    Import1 = item(File1, "Import1", 2);
    Export1 = item(File1, "Export1", 3);
    File1->addSeparator();
    Save1 = item(File1, "Save1", 4);
    SaveAs1 = item(File1, "SaveAs1", 4);
    File1->addSeparator();
    Exit1 = item(File1, "Exit1", 5);

    Edit1 = JvMainMenu1->addMenu(QString());
    Undo1 = item(Edit1, "Undo1", 6);
    Redo1 = item(Edit1, "Redo1", 7);
    Edit1->addSeparator();
    Cut1 = item(Edit1, "Cut1", 8);
    Copy1 = item(Edit1, "Copy1", 9);
    Paste1 = item(Edit1, "Paste1", 10);
    Edit1->addSeparator();
    Find1 = item(Edit1, "Find1", 11);
    Replace1 = item(Edit1, "Replace1", 11);
    Edit1->addSeparator();
    DateTime1 = item(Edit1, "DateTime1", 12);

    Format1 = JvMainMenu1->addMenu(QString());
    Font1 = item(Format1, "Font1", 13);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Undo2 = item(PopupMenu1, "Undo2", 6);
    PopupMenu1->addSeparator();
    Cut2 = item(PopupMenu1, "Cut2", 8);
    Copy2 = item(PopupMenu1, "Copy2", 9);
    Paste2 = item(PopupMenu1, "Paste2", 10);
    Delete1 = item(PopupMenu1, "Delete1", -1);
    PopupMenu1->addSeparator();
    SelectAll1 = item(PopupMenu1, "SelectAll1", -1);
    PopupMenu1->addSeparator();
    Find2 = item(PopupMenu1, "Find2", 11);
    Replace2 = item(PopupMenu1, "Replace2", -1);
    PopupMenu1->addSeparator();
    Font3 = item(PopupMenu1, "Font3", 13);

    for (QMenu *menu : {File1, Edit1, Format1, PopupMenu1})
        menu->setStyleSheet(QLatin1String(menuStyle));
}

ToolImage *TForm2::addToolImage(const char *name, const char *hint, int highlightIndex, int normalIndex)
{
    auto *image = new ToolImage(Panel1);
    image->setObjectName(QLatin1String(name));
    image->setProperty("hint", QByteArray(hint));
    image->setFixedSize(ImageList1.size());
    image->setPixmap(ImageList1.picture(normalIndex, devicePixelRatioF()));
    connect(image, &ToolImage::mouseEnter, this,
            [this, image, highlightIndex] { domouseover(image, highlightIndex); });
    connect(image, &ToolImage::mouseLeave, this,
            [this, image, normalIndex] { domouseout(image, normalIndex); });
    return image;
}

void TForm2::createToolbar()
{
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(4);
    Image2 = addToolImage("Image2", str::HintNewScript, 0, 0);
    Image3 = addToolImage("Image3", str::HintOpenScript, 1, 1);
    Image4 = addToolImage("Image4", str::HintSaveScript, 2, 4);
    Image5 = addToolImage("Image5", str::HintCut, 3, 8);
    Image6 = addToolImage("Image6", str::HintCopy, 4, 9);
    Image7 = addToolImage("Image7", str::HintPaste, 5, 10);
    Image8 = addToolImage("Image8", str::HintFind, 6, 11);
    Image9 = addToolImage("Image9", str::HintFont, 7, 13);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             Image2, Image3, Image4, toolbarBar("Panel8", Panel1), Image5, Image6, Image7,
             toolbarBar("Panel4", Panel1), Image8, toolbarBar("Panel2", Panel1), Image9})
        row->addWidget(widget);
    row->addStretch();
}

void TForm2::setTexts()
{
    setWindowTitle(i18n(str::EditorCaption));
    const QList<QPair<QAction *, const char *>> captions{
        {File1->menuAction(), str::MenuFile},
        {Edit1->menuAction(), str::MenuEdit},
        {Format1->menuAction(), str::MenuFormat},
        {New1, str::MenuNew},
        {Open1, str::MenuOpen},
        {Import1, str::MenuImport},
        {Export1, str::MenuExport},
        {Save1, str::MenuSave},
        {SaveAs1, str::MenuSaveAs},
        {Exit1, str::MenuEditorExit},
        {Undo1, str::MenuUndoKey},
        {Redo1, str::MenuRedoKey},
        {Cut1, str::MenuCutKey},
        {Copy1, str::MenuCopyKey},
        {Paste1, str::MenuPasteKey},
        {Find1, str::MenuFind},
        {Replace1, str::MenuReplace},
        {DateTime1, str::MenuDateTime},
        {Font1, str::MenuEditorFont},
        {Undo2, str::MenuUndo},
        {Cut2, str::MenuCut},
        {Copy2, str::MenuCopy},
        {Paste2, str::MenuPaste},
        {Delete1, str::MenuDelete},
        {SelectAll1, str::MenuSelectAll},
        {Find2, str::MenuFind},
        {Replace2, str::MenuReplace},
        {Font3, str::MenuContextFont},
    };
    for (const auto &[action, text] : captions)
        action->setText(i18n(text));
    for (ToolImage *image : {Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9})
        image->setToolTip(i18n(image->property("hint").toByteArray().constData()));
}

void TForm2::connectControls()
{
    connect(re1, &QTextEdit::textChanged, this, &TForm2::re1Change);
    recovery = new RecoveryAutosave(
        re1, [this] { return editmodified; }, [this] { return documentname(); }, this);
    connect(recovery, &RecoveryAutosave::failed, this, [this](const QString &reason) {
        StatusBar1->showMessage(i18n(str::RecoveryNotWritten).arg(reason));
    });
    connect(re1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(re1->viewport()->mapToGlobal(at)); });
    // The control's own keys do the editing; Ctrl+Y redoes on every desktop, not only where it
    // is the platform's redo key.
    auto *redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), re1);
    redoKey->setContext(Qt::WidgetShortcut);
    connect(redoKey, &QShortcut::activated, this, &TForm2::Redo1Click);

    const QList<QPair<QAction *, void (TForm2::*)()>> commands{
        {New1, &TForm2::New1Click},           {Open1, &TForm2::Open1Click},
        {Import1, &TForm2::Import1Click},     {Export1, &TForm2::Export1Click},
        {Save1, &TForm2::Save1Click},         {SaveAs1, &TForm2::SaveAs1Click},
        {Exit1, &TForm2::Exit1Click},         {Undo1, &TForm2::Undo1Click},
        {Redo1, &TForm2::Redo1Click},         {Cut1, &TForm2::Cut1Click},
        {Copy1, &TForm2::Copy1Click},         {Paste1, &TForm2::Paste1Click},
        {Find1, &TForm2::Find1Click},         {Replace1, &TForm2::Replace1Click},
        {DateTime1, &TForm2::DateTime1Click}, {Font1, &TForm2::Font1Click},
        {Undo2, &TForm2::Undo1Click},         {Cut2, &TForm2::Cut1Click},
        {Copy2, &TForm2::Copy1Click},         {Paste2, &TForm2::Paste1Click},
        {Delete1, &TForm2::Delete1Click},     {SelectAll1, &TForm2::SelectAll1Click},
        {Find2, &TForm2::Find1Click},         {Replace2, &TForm2::Replace1Click},
        {Font3, &TForm2::Image9Click},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);

    // The keys every editor answers, anywhere in the window; the menus keep their captions.
    const QList<QPair<QKeySequence, void (TForm2::*)()>> keys{
        {QKeySequence(Qt::CTRL | Qt::Key_S), &TForm2::Save1Click},
        {QKeySequence(Qt::CTRL | Qt::Key_O), &TForm2::Open1Click},
        {QKeySequence(Qt::CTRL | Qt::Key_N), &TForm2::New1Click},
        {QKeySequence(Qt::CTRL | Qt::Key_F), &TForm2::Find1Click},
        {QKeySequence(Qt::CTRL | Qt::Key_H), &TForm2::Replace1Click},
    };
    for (const auto &[sequence, handler] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, handler);

    // The toolbar runs its commands when a mouse button, whichever, is released over an image;
    // the font image on an ordinary click.
    const QList<QPair<ToolImage *, void (TForm2::*)()>> toolbar{
        {Image2, &TForm2::New1Click},  {Image3, &TForm2::Open1Click}, {Image4, &TForm2::Save1Click},
        {Image5, &TForm2::Cut1Click},  {Image6, &TForm2::Copy1Click}, {Image7, &TForm2::Paste1Click},
        {Image8, &TForm2::Find1Click},
    };
    for (const auto &[image, handler] : toolbar)
        connect(image, &ToolImage::mouseUp, this, handler);
    connect(Image9, &ToolImage::clicked, this, &TForm2::Image9Click);

    connect(FindDialog1, &FindReplaceDialog::findNextClicked, this, &TForm2::FindDialog1Find);
    connect(ReplaceDialog1, &FindReplaceDialog::findNextClicked, this, &TForm2::ReplaceDialog1Find);
    connect(ReplaceDialog1, &FindReplaceDialog::replaceClicked, this, &TForm2::ReplaceDialog1Replace);
}

void TForm2::FormCreate()
{
    setTexts();
    setdocumentname(QString());
    OpenDialog1.title = i18n(str::EditorOpenTitle);
    SaveDialog1.title = i18n(str::EditorSaveTitle);
    SaveDialog1.filter = i18n(str::VantellScriptsFilter);
    SaveDialog1.defaultSuffix = QStringLiteral("vnr");
    SaveDialog1.confirmOverwrite = true;
    re1->setAccessibleName(i18n(str::ScriptText));
    nameControlsAccessibly(this);
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (const QScreen *where = screen())
            move(where->availableGeometry().center() - rect().center());
    }
    FormShow();
}

void TForm2::FormShow()
{
    // The find walk works on the lines as wrapped at the window's edge.
    re1->setLineWrapMode(QTextEdit::WidgetWidth);
}

void TForm2::reject()
{
    close();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    if (m_closingForExit) {
        event->accept();
        done(Rejected);
        return;
    }
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    // The user has saved the text or chosen to lose it.
    recovery->discard();
    event->accept();
    done(m_closeResult);
}

void TForm2::closeKeepingRecovery()
{
    // A closed editor holds nothing the user is working on.
    if (!isVisible())
        return;
    recovery->keepNow();
    m_closingForExit = true;
    close();
    m_closingForExit = false;
}

void TForm2::FormCloseQuery(bool &canClose)
{
    m_closeResult = Accepted;
    if (!editmodified)
        return;
    m_closeResult = Rejected;
    if (Dialogs::current().question(i18n(str::SaveScriptFirst), i18n(str::Warning), Dialogs::Icon::Warning)) {
        // A save that fails keeps the window open, with the document as it was.
        try {
            savedocument();
        } catch (const std::exception &error) {
            Dialogs::current().message(QString::fromUtf8(error.what()));
            canClose = false;
            return;
        }
        m_closeResult = editsaved ? Accepted : Rejected;
        return;
    }
    if (documentname() == i18n(str::NoScript) &&
        !Dialogs::current().question(i18n(str::LoseChangesAndExit), i18n(str::Warning),
                                     Dialogs::Icon::Warning))
        canClose = false;
}

void TForm2::re1Change()
{
    editmodified = true;
    finder.reset();
    recovery->changed();
}

QString TForm2::documentname() const
{
    return m_name->text();
}

void TForm2::setdocumentname(const QString &name)
{
    m_name->setText(name);
}

void TForm2::reportingErrors(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &error) {
        Dialogs::current().message(QString::fromUtf8(error.what()));
    }
}
