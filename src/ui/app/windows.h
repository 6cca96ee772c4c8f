#pragma once

class NewsroomQueue;
class RemoteControl;
class TForm1;
class TForm2;
class TForm4;
class TForm7;
class Taboutform;

// The program's windows, one instance each, created in this order: the prompter, the quick
// editor, the conversion progress window, the options window, the about window; then the
// prompter is given the others, and the newsroom and the remote controls are set up over them.
// Destroyed in the reverse order. The program's start owns them (and a test its own); no window
// finds another through them: each is handed what it shows.
struct Windows {
    Windows();
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

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
