#include "ui/editlive/editlivewindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/editlive/lockedtextedit.h"
#include "ui/toolkit/accessiblenames.h"

namespace {
// How long a notice stays on the status line.
constexpr int noticeMs = 6000;
} // namespace

EditLiveWindow::EditLiveWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("EditLiveWindow"));
    resize(640, 420);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("EditLiveMenus"));
    layout->setMenuBar(menus);
    QMenu *file = menus->addMenu(QString());
    file->setObjectName(QStringLiteral("EditLiveFile"));
    save = file->addAction(QString());
    save->setObjectName(QStringLiteral("EditLiveSave"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs = file->addAction(QString());
    saveAs->setObjectName(QStringLiteral("EditLiveSaveAs"));
    file->addSeparator();
    lockRead = file->addAction(QString());
    lockRead->setObjectName(QStringLiteral("EditLiveLockRead"));
    lockRead->setCheckable(true);
    file->addSeparator();
    closing = file->addAction(QString());
    closing->setObjectName(QStringLiteral("EditLiveClose"));
    connect(closing, &QAction::triggered, this, &QWidget::close);

    text = new LockedTextEdit(this);
    text->setObjectName(QStringLiteral("editlivetext"));
    text->setFrameStyle(QFrame::NoFrame);
    text->setLineWrapMode(QTextEdit::WidgetWidth);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // White on black, as the page and the quick editor show a script.
    QPalette page = text->palette();
    page.setColor(QPalette::Base, Qt::black);
    page.setColor(QPalette::Text, Qt::white);
    text->setPalette(page);
    layout->addWidget(text, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("EditLiveStatus"));
    status->setSizeGripEnabled(false);
    m_name = new QLabel(status);
    m_name->setTextFormat(Qt::PlainText);
    m_notice = new QLabel(status);
    m_notice->setTextFormat(Qt::PlainText);
    status->addWidget(m_name, 1);
    status->addPermanentWidget(m_notice);
    layout->addWidget(status);
    setTexts();
}

void EditLiveWindow::setTexts()
{
    setWindowTitle(i18n(str::EditLiveCaption));
    menus->actions().constFirst()->setText(i18n(str::MenuFile));
    save->setText(i18n(str::MenuSave));
    saveAs->setText(i18n(str::MenuSaveAs));
    lockRead->setText(i18n(str::EditLiveLockRead));
    closing->setText(i18n(str::MenuEditorExit));
    text->setAccessibleName(i18n(str::ScriptText));
    nameControlsAccessibly(this);
}

void EditLiveWindow::setDocumentName(const QString &name)
{
    m_name->setText(name);
}

QString EditLiveWindow::documentName() const
{
    return m_name->text();
}

void EditLiveWindow::tell(const QString &notice)
{
    m_notice->setText(notice);
    QTimer::singleShot(noticeMs, m_notice, [label = m_notice, notice] {
        if (label->text() == notice)
            label->clear();
    });
}

void EditLiveWindow::closeEvent(QCloseEvent *event)
{
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void EditLiveWindow::keyPressEvent(QKeyEvent *event)
{
    // The text takes its own keys; what it leaves are the function keys and Escape.
    emit commandKey(event->key());
    QWidget::keyPressEvent(event);
}
