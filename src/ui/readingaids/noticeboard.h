#pragma once

#include <QObject>
#include <QString>

class Browser;
class PageNotice;
class PrompterView;
class TalentDisplay;

// What is shown big over the pages: the countdown's seconds on both, and a message for the
// talent on the talent display, where the countdown goes before it and it comes back after.
class NoticeBoard : public QObject {
    Q_OBJECT
public:
    NoticeBoard(Browser &page, PrompterView &view, TalentDisplay &talent, QObject *parent = nullptr);

    // The countdown's seconds; empty while none counts.
    void setCounting(const QString &seconds);
    // The message for the talent; empty while there is none.
    void setMessage(const QString &text, bool flashing);
    // Shows the notices anew, as the displays are turned now.
    void show();

    PageNotice *prompterNotice() const { return m_prompterNotice; }

private:
    PrompterView &m_view;
    TalentDisplay &m_talent;
    PageNotice *m_prompterNotice;
    QString m_counting;
    QString m_message;
    bool m_flashing = false;
};
