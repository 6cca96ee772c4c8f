#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;

// A label that reads out a changing state (the speed, the elapsed and remaining times), as
// assistive tools get it: a fixed name (its caption), the reading as its text, and its changes
// reported politely: the reading is looked at once per interval while an assistive tool listens,
// and a change is reported then, however often the label was set in between (the times change on
// every tick of a running page). Attach it before the label is first set; the label owns it.
class StatusReadout : public QObject, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    StatusReadout(QLabel *label, const QString &caption, int intervalMs);
    ~StatusReadout() override;

    QString caption() const { return m_caption; }
    QString reading() const;
    // The reading assistive tools were last told of.
    QString reported() const { return m_reported; }
    int interval() const { return m_check.interval(); }

    // The read-out of `label`, or null for an ordinary label.
    static StatusReadout *of(const QObject *label);

    void accessibilityActiveChanged(bool active) override;

private:
    void check();

    QLabel *m_label;
    QString m_caption;
    QString m_reported;
    QTimer m_check;
};
