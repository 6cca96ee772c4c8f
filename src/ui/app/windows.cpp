#include "ui/app/windows.h"

#include "ui/editor/tform2.h"
#include "ui/prompter/tform1.h"
#include "ui/newsroom/newsroomqueue.h"
#include "ui/remote/remotecontrol.h"
#include "ui/options/tform4.h"
#include "ui/render/tform7.h"
#include "ui/settings/taboutform.h"

Windows &windows()
{
    static Windows all;
    return all;
}

void createWindows()
{
    Windows &w = windows();
    w.Form1 = new TForm1;
    w.Form2 = new TForm2(w.Form1);
    w.Form7 = new TForm7(w.Form1);
    w.Form4 = new TForm4(w.Form1);
    // The options window restores the display options kept from the last run.
    w.Form1->setDisplayModes(w.Form4->modes());
    w.aboutform = new Taboutform(w.Form1);
    w.Form1->setWindows(w.Form2, w.Form7, w.Form4, w.aboutform);
    w.newsroom = new NewsroomQueue(w.Form1, w.Form4);
    w.remote = new RemoteControl(w.Form1->remoteTarget(), w.Form4);
}

void destroyWindows()
{
    Windows &w = windows();
    delete w.remote;
    w.remote = nullptr;
    delete w.newsroom;
    w.newsroom = nullptr;
    delete w.aboutform;
    w.aboutform = nullptr;
    delete w.Form4;
    w.Form4 = nullptr;
    delete w.Form7;
    w.Form7 = nullptr;
    delete w.Form2;
    w.Form2 = nullptr;
    delete w.Form1;
    w.Form1 = nullptr;
}
