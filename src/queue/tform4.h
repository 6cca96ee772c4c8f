#pragma once

#include <QDialog>

#include "engine/displaymodes.h"
#include "toolkit/imagelist.h"

class NewsroomOptions;
class RemoteOptions;
class VoiceOptions;
class QLabel;
class QListWidget;
class QPushButton;
class RadioGroup;
class ToolImage;

// The options window: the queue of scripts with its four actions, and the display options
// (docking, capitals, and the displays that mirror and rotate apply to). Shown modally from
// the prompter, which reads the controls directly.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);

    QWidget *Panel1, *Panel2, *Panel3, *Panel5, *Panel6, *Panel11;
    QLabel *Image1, *Panel4;
    QListWidget *ListBox1;
    ToolImage *Image6, *Image2, *Image5, *Image4;
    QLabel *addlabel, *removelabel, *savelabel, *loadlabel;
    QLabel *Label2, *Label1, *Label3, *Label8;
    RadioGroup *mainformlocation, *allcaps, *mtype, *rtype, *smoothscroll, *reloadscript;
    QPushButton *Button1, *Button2;
    NewsroomOptions *Newsroom;
    RemoteOptions *Remote;
    VoiceOptions *Voice;
    ImageList ImageList1;

    // The display options as the radio groups show them, and the other way round.
    DisplayModes modes() const;
    void showModes(const DisplayModes &modes);

    QStringList queue() const;
    // Replaces the queue's entries (and clears the selection).
    void setQueue(const QStringList &entries);
    void clearQueue();

    // The queue actions: add a script, remove the selected entry, load and save a queue file.
    void Image3MouseUp();
    void Image2MouseUp();
    void Image5MouseUp();
    void Image4MouseUp();
    void mouseover(int index, ToolImage *image);

private:
    QWidget *createQueueColumn();
    QWidget *createOptionsColumn();
    QWidget *queueAction(const char *panelName, ToolImage *&image, const char *imageName, QLabel *&label,
                         const char *labelName, int restIndex, void (TForm4::*action)());
};
