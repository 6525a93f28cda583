#include "TestSupport.h"

#include "vantor/autostart/LoginStart.h"

using vantor::LoginStart;

// The end-to-end test starts a program whose path needs quoting through a desktop's
// launcher; a literal '%' it cannot show, since that launcher looks the program up before
// it undoes the "%%" escape.
class TestLoginStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void execArgument_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << u"/usr/local/bin/vantor"_qs << u"/usr/local/bin/vantor"_qs;
        QTest::newRow("percent") << u"/opt/100%/vantor"_qs << u"/opt/100%%/vantor"_qs;
        QTest::newRow("percent, quoted")
            << u"/opt/100% sure/vantor"_qs << u"\"/opt/100%% sure/vantor\""_qs;
    }
    void execArgument()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QCOMPARE(LoginStart::execArgument(program), argument);
    }
};

QTEST_GUILESS_MAIN(TestLoginStart)
#include "tst_loginstart.moc"
