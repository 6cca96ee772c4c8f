#pragma once

#include <QObject>
#include <QString>

class NoticeBoard;
class PrompterCommands;
class QAction;
class QMenu;
class ReadingAids;
struct PrompterParts;

// A short message for the talent ("wrap up"), typed by the operator or sent by a remote control,
// shown big over the talent display's text until it is dismissed; flashing when chosen. Its
// entries stand in `menu` (the clocks' menu).
class TalentMessage : public QObject {
    Q_OBJECT
public:
    TalentMessage(const PrompterParts &parts, QMenu &menu, ReadingAids &aids, NoticeBoard &notices,
                  QObject *parent = nullptr);

    QString text() const { return m_text; }
    void show(const QString &text);
    void clear() { show(QString()); }
    // Asks the operator for the message and shows it.
    void ask();
    void setTexts();

private:
    void showAids();

    PrompterCommands &m_commands;
    ReadingAids &m_aids;
    NoticeBoard &m_notices;
    QString m_text;
    QAction *m_ask;
    QAction *m_clear;
    QAction *m_flash;
};
