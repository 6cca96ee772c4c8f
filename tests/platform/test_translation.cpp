#include <cstdlib>

#include "stringtable.h"
#include "testsupport/testmain.h"

extern "C" int _nl_msg_cat_cntr; // glibc: bumping it makes gettext look at LANGUAGE again

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void germanCatalogueTranslates();
    void withoutCatalogueTextsStayEnglish();
    void cleanup();

private:
    static void useLanguage(const char *language);
};

void TestTranslation::useLanguage(const char *language)
{
    qputenv("LANGUAGE", language);
    ++_nl_msg_cat_cntr;
}

void TestTranslation::cleanup()
{
    useLanguage("");
}

void TestTranslation::germanCatalogueTranslates()
{
    useLanguage("de");
    QCOMPARE(i18n(str::Paused), QStringLiteral("Angehalten..."));
    QCOMPARE(i18n(str::IncreaseSpeed), QStringLiteral("Schneller"));
    // Texts with line breaks keep them through the catalogue.
    QVERIFY(i18n(str::SpecialCharsMissing)
                .startsWith(QStringLiteral("Specialchars.dat wurde nicht gefunden!\r\n\r\n")));
}

void TestTranslation::withoutCatalogueTextsStayEnglish()
{
    useLanguage("xx");
    QCOMPARE(i18n(str::Paused), QStringLiteral("Paused..."));
    QCOMPARE(
        i18n(str::SpecialCharsMissing),
        QStringLiteral("Unable to locate Specialchars.dat!\r\n\r\nConversion of special characters will be "
                       "unavialble.\n\rPlease reinstall Vantell."));
}

VANTELL_CORE_TEST_MAIN(TestTranslation)
#include "test_translation.moc"
