#include "core/render/entitytable.h"

namespace {
using namespace Qt::StringLiterals;

// "&circ;" and "&tilde;" stand for the plain ASCII circumflex and tilde here, and "&grave;" for
// the ASCII grave accent, although HTML 4 gives the first two to the modifier letters U+02C6 and
// U+02DC and does not define the third: pages written earlier depend on these forms.
constexpr std::array<EntityPair, 75> entities{{
    {u'"', "&quot;"_L1},   {u'<', "&lt;"_L1},     {u'>', "&gt;"_L1},     {u'^', "&circ;"_L1},
    {u'~', "&tilde;"_L1},  {u'£', "&pound;"_L1},  {u'§', "&sect;"_L1},   {u'°', "&deg;"_L1},
    {u'²', "&sup2;"_L1},   {u'³', "&sup3;"_L1},   {u'µ', "&micro;"_L1},  {u'·', "&middot;"_L1},
    {u'¼', "&frac14;"_L1}, {u'½', "&frac12;"_L1}, {u'¿', "&iquest;"_L1}, {u'À', "&Agrave;"_L1},
    {u'Á', "&Aacute;"_L1}, {u'Â', "&Acirc;"_L1},  {u'Ã', "&Atilde;"_L1}, {u'Ä', "&Auml;"_L1},
    {u'Å', "&Aring;"_L1},  {u'Æ', "&AElig;"_L1},  {u'Ç', "&Ccedil;"_L1}, {u'È', "&Egrave;"_L1},
    {u'É', "&Eacute;"_L1}, {u'Ê', "&Ecirc;"_L1},  {u'Ë', "&Euml;"_L1},   {u'Ì', "&Igrave;"_L1},
    {u'Í', "&Iacute;"_L1}, {u'Î', "&Icirc;"_L1},  {u'Ï', "&Iuml;"_L1},   {u'Ñ', "&Ntilde;"_L1},
    {u'Ò', "&Ograve;"_L1}, {u'Ó', "&Oacute;"_L1}, {u'Ô', "&Ocirc;"_L1},  {u'Õ', "&Otilde;"_L1},
    {u'Ö', "&Ouml;"_L1},   {u'Ù', "&Ugrave;"_L1}, {u'Ú', "&Uacute;"_L1}, {u'Û', "&Ucirc;"_L1},
    {u'Ü', "&Uuml;"_L1},   {u'Ý', "&Yacute;"_L1}, {u'ß', "&szlig;"_L1},  {u'á', "&aacute;"_L1},
    {u'à', "&agrave;"_L1}, {u'â', "&acirc;"_L1},  {u'ã', "&atilde;"_L1}, {u'ä', "&auml;"_L1},
    {u'å', "&aring;"_L1},  {u'æ', "&aelig;"_L1},  {u'ç', "&ccedil;"_L1}, {u'é', "&eacute;"_L1},
    {u'è', "&egrave;"_L1}, {u'ê', "&ecirc;"_L1},  {u'ë', "&euml;"_L1},   {u'ì', "&igrave;"_L1},
    {u'í', "&iacute;"_L1}, {u'î', "&icirc;"_L1},  {u'ï', "&iuml;"_L1},   {u'ñ', "&ntilde;"_L1},
    {u'ò', "&ograve;"_L1}, {u'ó', "&oacute;"_L1}, {u'ô', "&ocirc;"_L1},  {u'õ', "&otilde;"_L1},
    {u'ö', "&ouml;"_L1},   {u'÷', "&divide;"_L1}, {u'ù', "&ugrave;"_L1}, {u'ú', "&uacute;"_L1},
    {u'û', "&ucirc;"_L1},  {u'ü', "&uuml;"_L1},   {u'ý', "&yacute;"_L1}, {u'ÿ', "&yuml;"_L1},
    {u'&', "&amp;"_L1},    {u'´', "&acute;"_L1},  {u'`', "&grave;"_L1},
}};

// Every table character lies below U+0100: one slot per Latin-1 character gives each lookup in
// constant time.
constexpr std::array<QLatin1String, 256> latin1Entities()
{
    std::array<QLatin1String, 256> byCharacter{};
    for (auto it = entities.rbegin(); it != entities.rend(); ++it)
        byCharacter[it->character] = it->entity;
    return byCharacter;
}
constexpr std::array<QLatin1String, 256> entityByLatin1 = latin1Entities();
} // namespace

const std::array<EntityPair, 75> &EntityTable()
{
    return entities;
}

QLatin1String entityOf(QChar c)
{
    return c.unicode() < entityByLatin1.size() ? entityByLatin1[c.unicode()] : QLatin1String();
}
