#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

class QuaZip;

// A word processor's document as the zip archive it is, read part by part. Opening refuses what
// is no such archive, one protected with a password, and one that would unpack to more than
// maxUnpackedBytes or hold more than maxParts parts (a small file can unpack to gigabytes);
// every refusal throws std::runtime_error with a message for the user naming the file.
class ZipPackage {
public:
    static constexpr qint64 maxUnpackedBytes = 200 * 1024 * 1024;
    static constexpr int maxParts = 10000;

    explicit ZipPackage(const QString &path);
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool contains(const QString &part) const;
    // The unpacked bytes of `part`; throws when it is missing or cannot be unpacked.
    QByteArray read(const QString &part) const;

    // Throws the message for the user about this file with `reason`.
    [[noreturn]] void fail(const QString &reason) const;

private:
    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
};
