#include "core/mos/mosxml.h"

#include <QXmlStreamReader>

const MosXmlNode *MosXmlNode::child(QStringView element) const
{
    for (const MosXmlNode &node : children)
        if (node.name == element)
            return &node;
    return nullptr;
}

std::vector<const MosXmlNode *> MosXmlNode::all(QStringView element) const
{
    std::vector<const MosXmlNode *> found;
    for (const MosXmlNode &node : children)
        if (node.name == element)
            found.push_back(&node);
    return found;
}

QString MosXmlNode::childText(QStringView element) const
{
    const MosXmlNode *node = child(element);
    return node ? node->textContent().trimmed() : QString();
}

QString MosXmlNode::textContent() const
{
    if (isText())
        return text;
    QString all;
    // Iterative, so that the text of a deep tree costs no deep recursion.
    std::vector<std::pair<const MosXmlNode *, size_t>> path{{this, 0}};
    while (!path.empty()) {
        auto &[node, next] = path.back();
        if (next == node->children.size()) {
            path.pop_back();
            continue;
        }
        const MosXmlNode &child = node->children[next++];
        if (child.isText())
            all += child.text;
        else
            path.push_back({&child, 0});
    }
    return all;
}

QString MosXmlNode::attribute(QStringView attributeName) const
{
    for (const auto &[key, value] : attributes)
        if (key == attributeName)
            return value;
    return QString();
}

MosXmlDocument readmosxml(const QString &text, int maxDepth)
{
    MosXmlDocument document;
    QXmlStreamReader xml(text);
    // The open elements, innermost last; each lives in its parent's children, which do not
    // change while it is open.
    std::vector<MosXmlNode *> open;
    bool rootSeen = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            document.error = QStringLiteral("document type declarations are not accepted");
            return document;
        case QXmlStreamReader::StartElement: {
            if (static_cast<int>(open.size()) >= maxDepth) {
                document.error = QStringLiteral("elements nested deeper than %1").arg(maxDepth);
                return document;
            }
            MosXmlNode *node = nullptr;
            if (open.empty()) {
                rootSeen = true;
                node = &document.root;
            } else {
                open.back()->children.emplace_back();
                node = &open.back()->children.back();
            }
            node->name = xml.name().toString();
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                node->attributes.append({attribute.name().toString(), attribute.value().toString()});
            open.push_back(node);
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty()) {
                std::vector<MosXmlNode> &siblings = open.back()->children;
                // Text split by entities or CDATA sections joins the run before it.
                if (!siblings.empty() && siblings.back().isText())
                    siblings.back().text += xml.text();
                else
                    siblings.push_back(MosXmlNode{QString(), xml.text().toString(), {}, {}});
            }
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        document.error = QStringLiteral("%1 (line %2, column %3)")
                             .arg(xml.errorString())
                             .arg(xml.lineNumber())
                             .arg(xml.columnNumber());
    else if (!rootSeen)
        document.error = QStringLiteral("no element");
    return document;
}
