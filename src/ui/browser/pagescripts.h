#pragma once

#include <QString>

// The source of one of the program's own page scripts (resources/page/<name>.js, compiled into
// the program), as the browser runs it in the pages' application world.
QString pagescript(const QString &name);
