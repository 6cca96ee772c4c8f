#include "platform/dialogs.h"

#include "platform/qtdialogs.h"

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
