#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

// The about window: the logo, where the latest version is found (a link that opens the product's
// web site in the desktop's web browser), the version and the maker's notice.
class Taboutform : public QDialog {
    Q_OBJECT
public:
    explicit Taboutform(QWidget *parent = nullptr);

    QLabel *Image1, *Label2, *LMDSimpleLabel1, *Label3, *Label1;
    QPushButton *Button1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();

    QUrl m_site;
};
