#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;

// A notice shown for a while on a status line in place of what the line said: afterwards the
// line says it again, unless something else has written the line meanwhile.
class StatusNotice : public QObject {
    Q_OBJECT
public:
    StatusNotice(QLabel *line, int showMs);

    void show(const QString &text);
    bool isShown() const { return m_shown; }

private:
    void restore();

    QPointer<QLabel> m_line;
    QTimer m_timer;
    QString m_hidden; // the line's own text while the notice covers it
    QString m_notice;
    bool m_shown = false;
};
