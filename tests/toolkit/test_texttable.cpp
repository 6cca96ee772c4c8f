#include <libintl.h>

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>

#include "testsupport/programwindows.h"
#include "ui/editor/findreplacedialog.h"
#include "ui/editor/tform2.h"
#include "ui/toolkit/application.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "ui/render/tform7.h"
#include "ui/settings/taboutform.h"
#include "stringtable.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"

extern "C" int _nl_msg_cat_cntr; // glibc: bumping it makes gettext look at LANGUAGE again

namespace {
// Every text of the marking catalogue starts with it.
const QString mark = QStringLiteral("\u27e6");
} // namespace

// Every text the windows show comes from the string table through the catalogue: made in a
// language whose catalogue marks every text, the windows show no text without the mark. And the
// catalogues that ship are the ones the program reads.
class TestTextTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyTextComesFromTheCatalogue_data();
    void everyTextComesFromTheCatalogue();
    void shippedCataloguesAreRead_data();
    void shippedCataloguesAreRead();

private:
    static void useLanguage(const QByteArray &language);
    // The texts a user sees or hears in `window`, each with where it is shown.
    static QStringList textsOf(QWidget *window);

    QTemporaryDir m_catalogues;
    UiTestEnvironment *m_env = nullptr;
};

void TestTextTable::useLanguage(const QByteArray &language)
{
    qputenv("LANGUAGE", language);
    ++_nl_msg_cat_cntr;
}

void TestTextTable::initTestCase()
{
    // The marking catalogue: every text of the template, with the mark before each of its lines.
    QVERIFY(m_catalogues.isValid());
    const QString english = m_catalogues.filePath(QStringLiteral("en.po"));
    const QString marked = m_catalogues.filePath(QStringLiteral("marked.po"));
    const QString target = m_catalogues.filePath(QStringLiteral("xx/LC_MESSAGES/vantell.mo"));
    QVERIFY(QDir().mkpath(QFileInfo(target).path()));
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished(30000) && process.exitCode() == 0;
    };
    QVERIFY(run(QStringLiteral("msgen"), {QStringLiteral(VANTELL_POT), QStringLiteral("-o"), english}));
    QFile catalogue(english);
    QVERIFY(catalogue.open(QIODevice::ReadWrite));
    const QByteArray utf8 = catalogue.readAll().replace("charset=CHARSET", "charset=UTF-8");
    catalogue.resize(0);
    catalogue.write(utf8);
    catalogue.close();
    QVERIFY(run(QStringLiteral("msgfilter"),
                {QStringLiteral("-i"), english, QStringLiteral("-o"), marked, QStringLiteral("sed"),
                 QStringLiteral("-e"), QStringLiteral("s/^/") + mark + QStringLiteral("/")}));
    QVERIFY(run(QStringLiteral("msgfmt"), {QStringLiteral("-o"), target, marked}));
    bindtextdomain("vantell", QFile::encodeName(m_catalogues.path()).constData());
    useLanguage("xx");
    QVERIFY(i18n(str::MenuExit).startsWith(mark));
    m_env = new UiTestEnvironment;
    QVERIFY(m_env->start());
}

void TestTextTable::cleanupTestCase()
{
    delete m_env;
    useLanguage("");
    initTranslation();
}

QStringList TestTextTable::textsOf(QWidget *window)
{
    QStringList texts{window->objectName() + QStringLiteral(" title: ") + window->windowTitle()};
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    const auto add = [&texts](const QObject *where, const char *what, const QString &text) {
        texts << QStringLiteral("%1 %2: %3").arg(where->objectName(), QLatin1String(what), text);
    };
    for (QWidget *widget : widgets) {
        if (widget->window() != window)
            continue;
        add(widget, "hint", widget->toolTip());
        add(widget, "name", widget->accessibleName());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(label, "caption", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button, "caption", button->text());
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(group, "title", group->title());
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            add(line, "placeholder", line->placeholderText());
        for (QAction *action : widget->actions()) {
            add(action, "command", action->text());
            add(action, "hint",
                action->toolTip() == QString(action->text()).remove(QLatin1Char('&')) ? QString()
                                                                                      : action->toolTip());
        }
    }
    return texts;
}

void TestTextTable::everyTextComesFromTheCatalogue_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"Form1", "Form2", "Form4", "Form7", "aboutform", "find", "replace"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void TestTextTable::everyTextComesFromTheCatalogue()
{
    QFETCH(QString, window);
    const Windows &w = windows();
    QWidget *form = window == QLatin1String("find")      ? w.Form2->FindDialog1
                    : window == QLatin1String("replace") ? w.Form2->ReplaceDialog1
                                                         : nullptr;
    for (QWidget *candidate :
         std::initializer_list<QWidget *>{w.Form1, w.Form2, w.Form4, w.Form7, w.aboutform})
        if (!form && candidate->objectName() == window)
            form = candidate;
    QVERIFY(form);
    QStringList literal;
    int shown = 0;
    for (const QString &entry : textsOf(form)) {
        const QString text = entry.section(QStringLiteral(": "), 1);
        // Words only: numbers, paths, web addresses and signs are data, not captions.
        if (!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))) ||
            text.startsWith(QLatin1String("http")))
            continue;
        ++shown;
        if (!text.contains(mark))
            literal << entry;
    }
    QVERIFY2(shown >= 3, qPrintable(QString::number(shown)));
    QVERIFY2(literal.isEmpty(), qPrintable(literal.join(QStringLiteral("\n"))));
}

void TestTextTable::shippedCataloguesAreRead_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("exit");
    QTest::addColumn<QString>("elapsed");
    QTest::newRow("German") << QByteArray("de") << QStringLiteral("&Beenden")
                            << QStringLiteral("Vergangene Zeit");
    QTest::newRow("French") << QByteArray("fr") << QStringLiteral("&Quitter")
                            << QStringLiteral("Temps écoulé");
    QTest::newRow("Spanish") << QByteArray("es") << QStringLiteral("&Salir")
                             << QStringLiteral("Tiempo transcurrido");
}

void TestTextTable::shippedCataloguesAreRead()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, exit);
    QFETCH(QString, elapsed);
    initTranslation();
    useLanguage(language);
    const QString readExit = i18n(str::MenuExit);
    const QString readElapsed = i18n(str::ElapsedTime);
    bindtextdomain("vantell", QFile::encodeName(m_catalogues.path()).constData());
    useLanguage("xx");
    QCOMPARE(readExit, exit);
    QCOMPARE(readElapsed, elapsed);
}

VANTELL_UI_TEST_MAIN(TestTextTable)
#include "test_texttable.moc"
