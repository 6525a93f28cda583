#include "TestSupport.h"

#include "utils/handlers/LanguageTable.h"
#include "vantor/Vantor.h"
#include "vantor/zones/ZoneFacts.h"
#include "vantor/zones/ZoneSearch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

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
        const utils::LanguageTable labels = utils::LanguageTable::load(
            vantor::Vantor::LANGUAGE, QLocale(QLocale::English, QLocale::UnitedStates));
        search = new ZoneSearch(&chooser, QStringLiteral("UTC"),
                                labels.getString(QStringLiteral("lbl.chooser.suggestions")));
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

    // The list of suggestions, and its first row, tell their number in the language's
    // plural.
    void listIsNamedByItsCount()
    {
        QLineEdit* field = chooser.lineEdit();
        field->clear();
        QAbstractItemView* popup = field->completer()->popup();
        QTest::keyClicks(field, QStringLiteral("tok"));
        QCOMPARE(search->suggestions().size(), 4);
        QCOMPARE(popup->accessibleName(), QStringLiteral("4 suggestions"));
        const QModelIndex first = popup->model()->index(0, 0);
        QCOMPARE(first.data(Qt::AccessibleDescriptionRole).toString(),
                 QStringLiteral("4 suggestions"));
        QVERIFY(popup->model()->index(1, 0).data(Qt::AccessibleDescriptionRole).isNull());
        QTest::keyClicks(field, QStringLiteral("y"));
        QCOMPARE(popup->accessibleName(), QStringLiteral("1 suggestion"));
    }
};

QTEST_MAIN(TestZoneSearch)
#include "tst_zonesearch.moc"
