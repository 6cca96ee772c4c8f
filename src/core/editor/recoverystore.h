#pragma once

#include <optional>

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What the quick editor held unsaved: the document's name (its file, or the "no script" name),
// when it was kept, and its text with formatting as RTF.
struct RecoveredText {
    QString documentName;
    QDateTime keptAt;
    QByteArray rtf;
};

// The recovery file's bytes: a first line that marks the kind and version, the document name and
// the time (ISO 8601, UTC) on a line each, then the RTF.
QByteArray encoderecovery(const RecoveredText &text);
// The text of a recovery file's bytes; nothing when they are not one (wrong mark, a line missing,
// an unreadable time, no RTF).
std::optional<RecoveredText> decoderecovery(const QByteArray &bytes);

// The quick editor's recovery file, in the user's state folder ($XDG_STATE_HOME, else
// ~/.local/state): written whole or not at all, so that a kill or a power loss leaves the text
// kept before or the one kept now, never a broken file.
class RecoveryStore {
public:
    // The file: <state folder>/korvanex/vantell/quickedit.recovery.
    static QString defaultPath();

    explicit RecoveryStore(QString path = defaultPath());

    QString path() const { return m_path; }
    bool exists() const;
    // Throws with a clear text when the file cannot be written (full disk, no permission).
    void save(const RecoveredText &text) const;
    // The text kept; nothing when there is no file. Throws when it exists but cannot be read or
    // is no recovery file.
    std::optional<RecoveredText> load() const;
    void remove() const;
    // Moves a file that cannot be read aside (the same name with ".damaged"), so that it is not
    // offered again but stays for the user; returns the new name.
    QString setAside() const;

private:
    QString m_path;
};

// What the offer to recover shows of the text: its first lines, at most `maxChars` characters.
QString recoverypreview(const QString &plainText, int maxLines = 8, int maxChars = 400);
