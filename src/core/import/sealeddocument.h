#pragma once

#include <QTextDocument>

// A document that loads no resource at all: markup read into it never makes it fetch a picture,
// a style sheet or anything else, remote or local, the markup names.
class SealedDocument : public QTextDocument {
    Q_OBJECT
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};
