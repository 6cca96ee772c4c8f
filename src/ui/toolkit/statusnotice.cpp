#include "ui/toolkit/statusnotice.h"

#include <QLabel>

StatusNotice::StatusNotice(QLabel *line, int showMs) : QObject(line), m_line(line)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(showMs);
    connect(&m_timer, &QTimer::timeout, this, &StatusNotice::restore);
}

void StatusNotice::show(const QString &text)
{
    if (!m_line)
        return;
    // A second notice while one is shown covers the same text of the line.
    if (!m_shown || m_line->text() != m_notice)
        m_hidden = m_line->text();
    m_notice = text;
    m_shown = true;
    m_line->setText(text);
    m_timer.start();
}

void StatusNotice::restore()
{
    m_shown = false;
    if (m_line && m_line->text() == m_notice)
        m_line->setText(m_hidden);
}
