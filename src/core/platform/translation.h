#pragma once

#include <QString>

// Binds the "vantell" message catalogues of DataPaths::localeDir() and sets the process locale
// from the environment. Call once, after the application object exists.
void initTranslation();

// The translated text of a message id from the string table (the id itself without a catalogue).
QString i18n(const char *msgid);
