#pragma once

#include <QObject>
#include <QStringList>

struct PageEdit;
class OutputFollower;
class OutputWindow;
struct PrompterParts;
class PrompterView;

// The talent display: the output window on a second screen behind the glass, kept at the
// prompter's place in the script by its follower, its black-out, and the screen it stood on last
// (kept between runs with the prompter's settings).
class TalentDisplay : public QObject {
    Q_OBJECT
public:
    TalentDisplay(const PrompterParts &parts, QObject *parent = nullptr);
    ~TalentDisplay() override;

    OutputFollower *follower() const { return m_follower; }
    // The output window while it is open, else null.
    OutputWindow *window() const;
    void open();
    void close();
    void toggle();
    // Shows the prompter's page there, shaped for the talent's display.
    void loadPage();
    // Makes an edit of the prompter's page there in place (see OutputWindow::editPage); a display
    // that cannot take it gets the prompter's page anew.
    void editPage(const PageEdit &edit, double readingShare);

    QString screenName() const { return m_screenName; }
    void setScreenName(const QString &name) { m_screenName = name; }

signals:
    // The window has opened: what is drawn over it is shown there.
    void opened();

private:
    PrompterView &m_view;
    QWidget &m_window;
    OutputFollower *m_follower;
    QString m_screenName;
};
