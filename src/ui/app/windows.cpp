#include "ui/app/windows.h"

#include "ui/editor/tform2.h"
#include "ui/newsroom/newsroomqueue.h"
#include "ui/options/tform4.h"
#include "ui/prompter/tform1.h"
#include "core/remote/remoteserver.h"
#include "ui/remote/remotecontrol.h"
#include "ui/standby/standby.h"
#include "ui/render/tform7.h"
#include "ui/settings/taboutform.h"

Windows::Windows()
{
    Form1 = new TForm1;
    Form2 = new TForm2(Form1);
    Form7 = new TForm7(Form1);
    Form4 = new TForm4(Form1);
    // The options window restores the display options kept from the last run.
    Form1->setDisplayModes(Form4->modes());
    aboutform = new Taboutform(Form1);
    Form1->setWindows(Form2, Form7, Form4, aboutform);
    newsroom = new NewsroomQueue(*Form1, Form4);
    remote = new RemoteControl(Form1->remoteTarget(), Form4,
                               [form = Form1](const QString &notice) { form->tellOperator(notice); });
    QObject::connect(&Form1->standby(), &Standby::standingByChanged, newsroom, &NewsroomQueue::setStandingBy);
    // Having taken the show over, this prompter admits what its prompter admitted: the controls
    // set up for the show, and the old prompter coming back as its standby.
    QObject::connect(&Form1->standby(), &Standby::standingByChanged, remote,
                     [standby = &Form1->standby(), remote = remote](bool standingBy) {
                         if (!standingBy)
                             remote->alsoAccept(standby->prompterToken());
                     });
    // A prompter that took the show over from this one leads it: this one stands by for it.
    QObject::connect(remote->server(), &RemoteServer::ledElsewhere, Form1,
                     [form = Form1, remote = remote](const QString &host, quint16 port) {
                         form->standby().ledBy(host, port, remote->settings().token,
                                               remote->server()->port());
                     });
}

Windows::~Windows()
{
    delete remote;
    delete newsroom;
    delete aboutform;
    delete Form4;
    delete Form7;
    delete Form2;
    delete Form1;
}
