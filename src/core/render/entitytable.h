#pragma once

#include <array>

#include <QLatin1String>
#include <QChar>

// One character and the named entity the HTML converter writes for it.
struct EntityPair {
    char16_t character;
    QLatin1String entity;
};

// The characters the HTML converter writes as named entities, searched from first to last.
const std::array<EntityPair, 75> &EntityTable();

// The entity of `c` in EntityTable (its first entry for `c`), or an empty string when `c` has none.
QLatin1String entityOf(QChar c);
