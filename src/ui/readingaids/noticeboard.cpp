#include "ui/readingaids/noticeboard.h"

#include "ui/browser/browser.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/pagenotice.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/talentdisplay/talentdisplay.h"

NoticeBoard::NoticeBoard(Browser &page, PrompterView &view, TalentDisplay &talent, QObject *parent)
    : QObject(parent), m_view(view), m_talent(talent), m_prompterNotice(new PageNotice(&page))
{
    setObjectName(QStringLiteral("noticeboard"));
    m_prompterNotice->setObjectName(QStringLiteral("prompternotice"));
    connect(&talent, &TalentDisplay::opened, this, &NoticeBoard::show);
}

void NoticeBoard::setCounting(const QString &seconds)
{
    m_counting = seconds;
    show();
}

void NoticeBoard::setMessage(const QString &text, bool flashing)
{
    m_message = text;
    m_flashing = flashing;
    show();
}

void NoticeBoard::show()
{
    m_prompterNotice->setTurn(m_view.mirroredLocally(), m_view.upsideDownLocally());
    if (m_counting.isEmpty())
        m_prompterNotice->clearNotice();
    else
        m_prompterNotice->showNotice(m_counting, false);
    if (OutputWindow *output = m_talent.window()) {
        output->notice->setTurn(m_view.mirroredRemotely(), m_view.upsideDownRemotely());
        if (!m_counting.isEmpty())
            output->notice->showNotice(m_counting, false);
        else if (!m_message.isEmpty())
            output->notice->showNotice(m_message, m_flashing);
        else
            output->notice->clearNotice();
    }
}
