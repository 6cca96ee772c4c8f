#include "ui/toolkit/statusreadout.h"

#include <QLabel>
#include <QTextDocumentFragment>

StatusReadout::StatusReadout(QLabel *label, const QString &caption, int intervalMs)
    : QObject(label), m_label(label), m_caption(caption)
{
    setObjectName(QStringLiteral("statusReadout"));
    // A label without a name of its own reports every new text at once; a named one leaves the
    // reporting to this read-out.
    label->setAccessibleName(caption);
    m_reported = reading();
    m_check.setInterval(intervalMs);
    connect(&m_check, &QTimer::timeout, this, &StatusReadout::check);
    QAccessible::installActivationObserver(this);
    accessibilityActiveChanged(QAccessible::isActive());
}

StatusReadout::~StatusReadout()
{
    QAccessible::removeActivationObserver(this);
}

StatusReadout *StatusReadout::of(const QObject *label)
{
    return label ? label->findChild<StatusReadout *>(QStringLiteral("statusReadout"),
                                                     Qt::FindDirectChildrenOnly)
                 : nullptr;
}

QString StatusReadout::reading() const
{
    const QString text = m_label->text();
    return (Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text).trimmed();
}

void StatusReadout::accessibilityActiveChanged(bool active)
{
    if (active) {
        m_reported = reading();
        m_check.start();
    } else {
        m_check.stop();
    }
}

void StatusReadout::check()
{
    const QString now = reading();
    if (now == m_reported || !QAccessible::isActive())
        return;
    const QString before = m_reported;
    m_reported = now;
    QAccessibleTextUpdateEvent changed(m_label, 0, before, now);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent described(m_label, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}
