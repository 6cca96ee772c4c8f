// Dual display: "Toggle Dual Display" opens and closes the output window for the talent (the
// talent display feature), which shows the page with the remote display's modes and stays at the
// prompter's place in the script.
#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/talentdisplay/talentdisplay.h"

void TForm1::Image3MouseUp()
{
    m_talent->toggle();
    wb1->focusPage();
}

OutputWindow *TForm1::outputwindow() const
{
    return m_talent->window();
}

void TForm1::openoutputwindow()
{
    m_talent->open();
}

void TForm1::closeoutputwindow()
{
    m_talent->close();
}
