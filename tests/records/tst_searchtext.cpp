#include <QtTest>

#include "records/searchtext.h"
#include "support/testsupport.h"

class TestSearchText : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void matches_data();
    void matches();
};

void TestSearchText::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("found");
    QTest::newRow("accents and capitals typed plain") << "Szczęśniak"
                                                      << "szczesniak" << true;
    QTest::newRow("a stroke that does not decompose") << "Dąbrowel-Łukasik"
                                                      << "lukasik" << true;
    QTest::newRow("o with a stroke, a with a ring") << "Øvergård"
                                                    << "overgard" << true;
    QTest::newRow("sharp s typed as ss") << "Großmann"
                                         << "grossmann" << true;
    QTest::newRow("ligature") << "Lætitia"
                              << "laetitia" << true;
    QTest::newRow("the accent typed, the name without") << "Sigrun"
                                                        << "Sigrún" << true;
    QTest::newRow("Icelandic eth and thorn") << "Þórðardóttir"
                                             << "thordardottir" << true;
    QTest::newRow("anywhere in the name") << "Anna Szczęśniak"
                                          << "SNIAK" << true;
    QTest::newRow("an empty search matches") << "Szczęśniak"
                                             << "" << true;
    QTest::newRow("another name") << "Szczęśniak"
                                  << "sczesniak" << false;
}

void TestSearchText::matches()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(bool, found);
    QCOMPARE(SearchText::matches(text, search), found);
}

STADIONIX_TEST_MAIN(TestSearchText)
#include "tst_searchtext.moc"
