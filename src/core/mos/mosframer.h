#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Cuts the byte stream of a newsroom connection into its messages. A newsroom system sends XML
// as UTF-16 big-endian without any length prefix: a message is everything from a `<mos>` start
// tag to the next `</mos>` end tag. Whatever stands between messages (byte-order marks, XML
// declarations, line ends, noise) is dropped. A message that has not fully arrived is kept until
// it has; one that grows past the limit, or a stream that plainly is not UTF-16 big-endian, stops
// the framer for good, since nothing after it can be trusted to start at a message.
class MosFramer {
public:
    static constexpr qsizetype defaultLimit = 10 * 1024 * 1024; // bytes of one message

    enum class State {
        Reading,
        TooLarge,      // a message grew past the limit
        WrongEncoding, // the peer sends 8-bit or little-endian text
    };

    explicit MosFramer(qsizetype limitBytes = defaultLimit);

    void feed(QByteArrayView bytes);
    // The next complete message, oldest first. A message cut short by the start of another one
    // comes out as it is (the parser then rejects it) and the new one follows.
    std::optional<QString> next();

    State state() const { return m_state; }
    // Part of a message has arrived but not its end.
    bool inMessage() const { return m_start >= 0; }
    // Text held for a message that has not fully arrived, in bytes as sent.
    qsizetype pendingBytes() const { return m_start >= 0 ? (m_text.size() - m_start) * 2 : 0; }

private:
    void compact();
    void findStart();
    // The first start tag at or after `from` and before `before` (-1: anywhere); -1 if none.
    qsizetype nextStart(qsizetype from, qsizetype before) const;

    qsizetype m_limit;
    QStringDecoder m_decoder;
    QString m_text;
    qsizetype m_head = 0;     // m_text before this has been handed out or dropped
    qsizetype m_start = -1;   // where the message being read starts in m_text
    qsizetype m_scanFrom = 0; // m_text before this holds nothing more to look for
    State m_state = State::Reading;
};
