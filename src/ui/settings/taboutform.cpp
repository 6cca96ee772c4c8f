#include "ui/settings/taboutform.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include "core/platform/translation.h"
#include "core/settings/serviceaddresses.h"
#include "stringtable.h"
#include "ui/toolkit/accessiblenames.h"
#include "ui/toolkit/imagelist.h"

namespace {

QFont tahoma()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

QLabel *label(const char *name, QWidget *parent, const QColor &color, const QFont &font)
{
    auto *text = new QLabel(parent);
    text->setObjectName(QLatin1String(name));
    QPalette colors = text->palette();
    colors.setColor(QPalette::WindowText, color);
    text->setPalette(colors);
    text->setFont(font);
    return text;
}

} // namespace

Taboutform::Taboutform(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_site(ServiceAddresses::load().site)
{
    setObjectName(QStringLiteral("aboutform"));
    setFixedSize(325, 151);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    const QColor silver(0xC0, 0xC0, 0xC0);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 100, 70);
    const ImageList logo(QStringLiteral("logo"), QSize(100, 70));
    Image1->setPixmap(logo.picture(0, devicePixelRatioF()));

    Label2 = label("Label2", this, silver, tahoma());
    Label2->setWordWrap(true);
    Label2->setGeometry(119, 32, 180, 28);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QFont linkFont = tahoma();
    linkFont.setUnderline(true);
    LMDSimpleLabel1 = label("LMDSimpleLabel1", this, QColor(0x00, 0xFF, 0x00), linkFont);
    LMDSimpleLabel1->setText(m_site.toString());
    LMDSimpleLabel1->setCursor(Qt::PointingHandCursor);
    LMDSimpleLabel1->move(119, 63);
    LMDSimpleLabel1->adjustSize();
    LMDSimpleLabel1->installEventFilter(this);

    Label3 = label("Label3", this, silver, tahoma());
    Label3->move(48, 100);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(232, 96, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    QFont smallFont;
    smallFont.setFamilies(
        {QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    smallFont.setPixelSize(8);
    Label1 = label("Label1", this, QColor(0x80, 0x80, 0x80), smallFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, height() - 20, width(), 20);

    FormCreate();
}

void Taboutform::FormCreate()
{
    setWindowTitle(i18n(str::AboutCaption));
    Label1->setText(i18n(str::AboutMakerNotice));
    Label2->setText(i18n(str::AboutLatestVersion));
    Button1->setText(i18n(str::AboutOk));
    // The version shown is the program's own, the same as in the prompter's status line.
    Label3->setText(i18n(str::AboutVersion).arg(QStringLiteral(VANTELL_VERSION)));
    Label3->adjustSize();
    Image1->setAccessibleName(i18n(str::ProgramLogo));
    nameControlsAccessibly(this);
}

bool Taboutform::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LMDSimpleLabel1 && event->type() == QEvent::MouseButtonRelease)
        QDesktopServices::openUrl(m_site);
    return QDialog::eventFilter(watched, event);
}
