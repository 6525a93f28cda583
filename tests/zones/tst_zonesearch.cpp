#include "TestSupport.h"

#include "vantor/Vantor.h"
#include "vantor/zones/ZoneFacts.h"
#include "vantor/zones/ZoneSearch.h"

#include <QComboBox>

using vantor::ZoneFacts;
using vantor::ZoneSearch;

class TestZoneSearch : public QObject
{
    Q_OBJECT

    QComboBox chooser;
    ZoneSearch* search = nullptr;

    QStringList matchedIds(const QString& typed) const
    {
        QStringList ids;
        for (const int row : search->matches(typed)) {
            ids.append(chooser.itemData(row, ZoneSearch::ZoneIdRole).toString());
        }
        return ids;
    }

private Q_SLOTS:
    void initTestCase()
    {
        vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        for (const QString& id : ZoneFacts::chooserIds()) {
            chooser.addItem(id, id);
        }
        search = new ZoneSearch(&chooser, QStringLiteral("UTC"));
    }

    // Zones with a name or a word of one that begins with the text come first, then those
    // that only contain it; each group keeps the chooser's order.
    void beginningsComeFirst_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("after");
        // Tokelau is Fakaofo's country.
        QTest::newRow("city and country start")
            << "tok" << QStringList{"Asia/Tokyo", "Pacific/Fakaofo"}
            << QStringList{"Antarctica/Vostok", "Asia/Vladivostok"};
        QTest::newRow("case and accents") << "TÖK" << QStringList{"Asia/Tokyo", "Pacific/Fakaofo"}
                                          << QStringList{"Antarctica/Vostok", "Asia/Vladivostok"};
        // Angola is Luanda's country; Los Angeles begins after the identifier's "_".
        QTest::newRow("words in the identifier")
            << "ang" << QStringList{"Africa/Luanda", "America/Anguilla", "America/Los_Angeles"}
            << QStringList{"Africa/Bangui", "Asia/Bangkok"};
    }
    void beginningsComeFirst()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, first);
        QFETCH(QStringList, after);
        const QStringList ids = matchedIds(typed);
        QCOMPARE(ids.mid(0, first.size()), first);
        for (const QString& id : after) {
            QVERIFY2(ids.indexOf(id) >= first.size(), qPrintable(ids.join(u' ')));
        }
    }
};

QTEST_MAIN(TestZoneSearch)
#include "tst_zonesearch.moc"
