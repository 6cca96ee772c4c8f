#pragma once

#include <vector>

#include <QList>
#include <QPair>
#include <QString>

// One element of a newsroom message, or a run of text between elements (an empty name). Messages
// are read whole into these before anything is taken from them, so that a message is either
// understood completely or refused.
struct MosXmlNode {
    QString name;
    QString text; // of a text run
    QList<QPair<QString, QString>> attributes;
    std::vector<MosXmlNode> children;

    bool isText() const { return name.isEmpty(); }
    // The first child element named `element`, or null.
    const MosXmlNode *child(QStringView element) const;
    // Every child element named `element`, in order.
    std::vector<const MosXmlNode *> all(QStringView element) const;
    // The text of the first child element named `element`, trimmed; empty if there is none.
    QString childText(QStringView element) const;
    // All text below this element, in order.
    QString textContent() const;
    QString attribute(QStringView attributeName) const;
};

struct MosXmlDocument {
    MosXmlNode root;
    QString error; // empty when the text was well-formed
};

// Reads `text` as one XML document. Elements nested deeper than `maxDepth` make it fail, as do
// document type declarations (a newsroom message never has one; they only open the door to
// entity expansion).
MosXmlDocument readmosxml(const QString &text, int maxDepth = 64);
