#pragma once

#include <QDialog>

#include "core/engine/displaymodes.h"
#include "ui/toolkit/imagelist.h"

class QueueEntryDelegate;
class ReadingAidOptions;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class RadioGroup;
class ToolImage;

// The options window: the queue of scripts with its four actions and the reading time of each
// script and of the whole queue; the display options (docking, capitals, and the displays that
// mirror and rotate apply to) and, on a page of their own, the reading aids. Under the queue, the
// options of the features (voice following, the newsroom, remote control), each on a page of its
// own that the feature adds and reads. Shown modally from the prompter, which reads the controls
// directly.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);

    QWidget *Panel1, *Panel2, *Panel3, *Panel5, *Panel6, *Panel11;
    QLabel *Image1, *Panel4;
    QListWidget *ListBox1;
    ToolImage *Image6, *Image2, *Image5, *Image4;
    QLabel *addlabel, *removelabel, *savelabel, *loadlabel;
    QLabel *Label2, *Label1, *Label3, *Label8, *queuetime;
    // The option pages (display, reading aids), one shown at a time, and the buttons that show them.
    QStackedWidget *optionspages;
    QPushButton *displaypagebutton, *aidspagebutton;
    QWidget *displaypage;
    RadioGroup *mainformlocation, *allcaps, *mtype, *rtype, *smoothscroll, *reloadscript;
    QPushButton *Button1, *Button2;
    ReadingAidOptions *ReadingAids;
    ImageList ImageList1;

    // The display options as the radio groups show them, and the other way round.
    DisplayModes modes() const;
    void showModes(const DisplayModes &modes);
    // Shows option page `index` (0: display, 1: reading aids).
    void showOptionsPage(int index);
    // Adds a feature's options as a page of its own under the queue, shown by a button named
    // `buttonName` and titled `title` (a text of the string table). The feature reads the page
    // when the window closes (QDialog::finished).
    void addFeaturePage(QWidget *page, const char *buttonName, const char *title);
    // Shows the feature page `page`.
    void showFeaturePage(QWidget *page);

    QStringList queue() const;
    // The words of each entry's script, -1 where it could not be read.
    QList<int> entryWords() const;
    // Replaces the queue's entries (and clears the selection). Without `words` (one for each
    // entry, -1 for none) each entry is read as a script file to count them.
    void setQueue(const QStringList &entries, const QList<int> &words = {});
    // Adds script files at the queue's end.
    void addScripts(const QStringList &paths);
    void clearQueue();

    // The queue actions: add a script, remove the selected entry, load and save a queue file.
    void Image3MouseUp();
    void Image2MouseUp();
    void Image5MouseUp();
    void Image4MouseUp();
    void mouseover(int index, ToolImage *image);

private:
    void addEntry(const QString &name, int words);
    void showQueueTime();
    QWidget *createQueueColumn();
    QWidget *createDisplayPage();
    QWidget *createOptionsColumn();
    QWidget *queueAction(const char *panelName, ToolImage *&image, const char *imageName, QLabel *&label,
                         const char *labelName, int restIndex, void (TForm4::*action)());

    QueueEntryDelegate *m_entries;
    QWidget *m_featureArea;
    QGridLayout *m_featureButtons;
    QButtonGroup *m_featureGroup;
    QStackedWidget *m_featurePages;
};
