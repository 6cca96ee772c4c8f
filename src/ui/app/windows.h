#pragma once

class NewsroomQueue;
class RemoteControl;
class TForm1;
class TForm2;
class TForm4;
class TForm7;
class Taboutform;

// The program's windows, one instance each, created at start in this order: the prompter, the
// quick editor, the conversion progress window, the options window, the about window. A pointer
// stays null until its window is created, so the prompter's creation must not rely on the others.
struct Windows {
    TForm1 *Form1 = nullptr;
    TForm2 *Form2 = nullptr;
    TForm7 *Form7 = nullptr;
    TForm4 *Form4 = nullptr;
    Taboutform *aboutform = nullptr;
    // Not a window: the newsroom's running order as the queue, between the prompter and the
    // options window.
    NewsroomQueue *newsroom = nullptr;
    // Not a window: the control API's server over the prompter.
    RemoteControl *remote = nullptr;
};

Windows &windows();
void createWindows();
// Destroys the windows in the reverse order of creation.
void destroyWindows();
