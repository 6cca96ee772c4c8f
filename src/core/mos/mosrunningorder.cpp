#include "core/mos/mosrunningorder.h"

qsizetype MosStory::itemIndex(const QString &itemId) const
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items.at(i).id == itemId)
            return i;
    return -1;
}

qsizetype MosRunningOrder::storyIndex(const QString &storyId) const
{
    for (qsizetype i = 0; i < stories.size(); ++i)
        if (stories.at(i).id == storyId)
            return i;
    return -1;
}
