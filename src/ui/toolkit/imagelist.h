#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// A numbered set of pictures of one size, drawn from the SVG files ":/icons/<name>-NN.svg"
// on a black ground (the pictures are not masked).
class ImageList {
public:
    ImageList(const QString &name, QSize size);

    QSize size() const { return m_size; }
    // Picture `index`, rendered for the screen's pixel density; an empty picture when there is none.
    QPixmap picture(int index, qreal devicePixelRatio = 1.0) const;
    // Picture `index` as an icon drawn straight from its SVG (for menus: no black ground).
    QIcon icon(int index) const;
    bool has(int index) const;
    QString path(int index) const;

private:
    QString m_name;
    QSize m_size;
};
