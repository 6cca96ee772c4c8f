#include "core/import/sealeddocument.h"

QVariant SealedDocument::loadResource(int, const QUrl &)
{
    return QVariant();
}
