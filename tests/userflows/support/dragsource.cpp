// A file manager's part in a drag: a window that, pressed, drags the files named on its command
// line (as a list of file links) until the button is let go over another window. The flows move
// the pointer with xdotool, so the drop goes the way of any X drag and drop between programs.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(QStringList files) : m_files(std::move(files))
    {
        setWindowTitle(QStringLiteral("Drag Source"));
        setText(QStringLiteral("DRAG"));
        setAlignment(Qt::AlignCenter);
        setFixedSize(200, 120);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        QList<QUrl> urls;
        for (const QString &file : m_files)
            urls << QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
        auto *data = new QMimeData;
        data->setUrls(urls);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QStringList m_files;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    DragSource source(application.arguments().mid(1));
    source.move(0, 0);
    source.show();
    return application.exec();
}
