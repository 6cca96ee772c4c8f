#include "ui/toolkit/dialogs.h"

#include "ui/toolkit/qtdialogs.h"

namespace {
Dialogs *installed = nullptr;
}

Dialogs &Dialogs::current()
{
    static QtDialogs real;
    return installed ? *installed : real;
}

void Dialogs::install(Dialogs *dialogs)
{
    installed = dialogs;
}
