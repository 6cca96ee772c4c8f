#pragma once

#include <QString>

// Binds the "vantell" message catalogues: the build tree's locale/ next to the executable
// when it is there, otherwise the installed locale directory. Call once, after the
// application object has set the process locale.
void initTranslation();

// The translated text of a message id from the string table (the id itself without a catalogue).
QString i18n(const char *msgid);
