#pragma once

#include <QString>

// A secret that a peer on the network must show with every request: 32 characters drawn from a
// cryptographically secure source, safe in addresses (base64url).
QString generatetoken();

// Whether `offered` is `expected`, compared in time that does not depend on where they differ.
bool tokensmatch(const QString &offered, const QString &expected);

// Whether `offered` is `token`, or `alsoAccepted` when there is one.
bool tokenaccepted(const QString &offered, const QString &token, const QString &alsoAccepted);
