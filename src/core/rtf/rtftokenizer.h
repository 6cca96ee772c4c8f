#pragma once

#include <QByteArrayView>

#include "core/rtf/rtftoken.h"

// Splits RTF bytes into tokens, in one pass and without recursion. Line ends outside control
// words are dropped (they are not text in RTF), the binary data after \binN is stepped over, and
// a broken \' escape is dropped so that the bytes after it read as text.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView data);

    // Reads the next token into `token`; false at the end of the data.
    bool next(RtfToken &token);

private:
    // Reads the control word or symbol at the backslash under the read position; false when the
    // backslash starts nothing that counts.
    bool readControl(RtfToken &token);
    void readParameter(RtfToken &token);

    QByteArrayView m_data;
    qsizetype m_position = 0;
};
