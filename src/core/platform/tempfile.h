#pragma once

#include <QString>
#include <QTemporaryFile>

// A new, empty, uniquely named file "~XXXXXX" in the temporary directory, for a step that
// passes data through a file. It is removed when the object goes, also when the step throws.
// Throws std::runtime_error with a message for the user when the file cannot be created.
class TempFile {
public:
    TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    QString path() const { return m_file.fileName(); }

private:
    QTemporaryFile m_file;
};
