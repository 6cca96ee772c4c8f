#pragma once

#include "core/engine/displaymodes.h"
#include "core/prompter/promptstate.h"

class Browser;
class PromptEngine;
class PrompterCommands;
class QMenu;
class QWidget;
class StatusNotice;

// What the prompter window lends its features of itself: the script's state, the display
// options, how each display is turned, and building the page anew. The window implements it.
class PrompterView {
public:
    virtual ~PrompterView() = default;
    virtual const PromptState &state() const = 0;
    virtual const DisplayModes &modes() const = 0;
    virtual bool mirroredLocally() const = 0;
    virtual bool upsideDownLocally() const = 0;
    virtual bool mirroredRemotely() const = 0;
    virtual bool upsideDownRemotely() const = 0;
    // The script page is built and loaded anew (after a change of how it looks).
    virtual void reloadPage() = 0;
    // The script's lines and its page as an edit changed them in place (the page shown has, or is
    // being given, the same change): what a page built anew shows from now on.
    virtual void changeScriptInPlace(const QStringList &scriptlines, const QStringList &pagelines) = 0;
    // The window has been shown: pages are built for it.
    virtual bool isPageShown() const = 0;
    // Adds a read-out to the status line, before or after the program's version; however long
    // its text grows, it never widens the window.
    virtual void addReadout(QWidget *readout, bool beforeVersion) = 0;
};

// The narrow parts of the prompter window a feature is handed when the window makes it.
struct PrompterParts {
    QWidget &window; // the parent of the feature's dialogs and menus
    PrompterView &view;
    PromptEngine &engine;
    Browser &page;
    StatusNotice &notice; // a passing notice on the status line
    QMenu &menu;          // the popup menu the feature adds its entries to
    PrompterCommands &commands;
};
