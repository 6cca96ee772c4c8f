#include "core/rtf/rtf.h"

#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"

bool readRtf(const QByteArray &data, QTextDocument *document)
{
    if (!RtfReader::recognizes(data))
        return false;
    RtfReader(document).read(data);
    return true;
}

QByteArray writeRtf(const QTextDocument *document, const QColor &automaticColor)
{
    return RtfWriter(document, automaticColor).write();
}
