#pragma once

#include <optional>

#include <QJsonObject>

#include "core/editlive/pageedit.h"

// An edit of the prompter's page as the control API tells it to networked displays:
// {"type": "edit", "serial": N, "anchor": LINE, "lines": BODY LINES BEFORE,
//  "changes": [{"at": LINE, "removed": COUNT, "lines": [NEW LINES...]}, ...]}.
QJsonObject pageeditmessage(const PageEdit &edit);

// The edit a message tells; nothing for one that is not a sound edit (changes out of order or
// beyond the page, numbers that are no whole numbers, lines that are no texts).
std::optional<PageEdit> pageeditfrommessage(const QJsonObject &message);
