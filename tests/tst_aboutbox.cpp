#include "TestSupport.h"

#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/dialogs/AboutBoxDialog.h"
#include "utils/gui/handlers/AccessOther.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/objects/constants/StandardColors.h"
#include "utils/objects/constants/UtilsConstants.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QtTest>

#include <optional>

using namespace utils;

Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {

QLabel* labelWithText(const QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

// The owner the main window would be: shown, with one control to click.
struct Owner
{
    Owner()
    {
        window.setGeometry(100, 100, 400, 300);
        button = new QPushButton(QStringLiteral("Press"), &window);
        button->setGeometry(10, 10, 100, 25);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
    }
    QWidget window;
    QPushButton* button;
    int clicks = 0;
};

AboutBoxDialog* newBox(QWidget* owner, const QString& product = QStringLiteral("Vantor"))
{
    return new AboutBoxDialog(owner, product, QStringLiteral("1.0.0.1"),
                              QStringLiteral("2020/07/29"), QStringLiteral("2019-2020"),
                              QStringLiteral("images/vantor.png"));
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        AccessOther::resetForTesting();
        // Nothing real is ever launched.
        AccessOther::setDesktopService([](const QUrl&) { return true; });
    }
    void cleanup()
    {
        AccessOther::resetForTesting();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void germanTexts()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));

        QCOMPARE(box->windowTitle(), QString::fromUtf8("\u00dcber"));
        QVERIFY(labelWithText(*box, QStringLiteral("Version: 1.0.0.1")) != nullptr);
        QVERIFY(labelWithText(*box, QString::fromUtf8("Ver\u00f6ffentlicht: 2020/07/29")));
        QVERIFY(labelWithText(*box, QStringLiteral("Laufzeitversion Qt ") +
                                        QString::fromLatin1(qVersion())));
        QVERIFY(labelWithText(*box, QStringLiteral("von ") + AboutBoxDialog::RUNTIME_VENDOR));
        QCOMPARE(box->closeButton()->text(), QString::fromUtf8("Schlie\u00dfen"));
        QCOMPARE(box->closeButton()->actionCommand(), QStringLiteral("CloseCmd"));
    }

    // Qt reads the desktop's "no" as "nb", which alone would leave the box in English.
    void norwegianDesktop()
    {
        const EnvironmentGuard all("LC_ALL", std::nullopt);
        const EnvironmentGuard messages("LC_MESSAGES", std::nullopt);
        const EnvironmentGuard lang("LANG", QByteArray("no_NO.UTF-8"));
        QLocale::setDefault(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        QCOMPARE(box->windowTitle(), QStringLiteral("Om"));
        QCOMPARE(box->closeButton()->text(), QStringLiteral("Lukk"));
    }

    void builtAsDescribed()
    {
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));

        QVERIFY(!box->isModal());
        QVERIFY(!box->isVisible());
        const QList<ConstraintLayout*> layouts = box->findChildren<ConstraintLayout*>();
        QVERIFY(!layouts.isEmpty());
        for (const ConstraintLayout* layout : layouts) {
            QCOMPARE(layout->constraintErrors(), QStringList());
        }
        // Not resizable.
        QCOMPARE(box->minimumSize(), box->maximumSize());
        QCOMPARE(box->closeButton()->sizeHint().height(), AboutBoxDialog::CLOSE_BUTTON_HEIGHT);
        QVERIFY(box->closeButton()->sizeHint().width() >= 90);

        QCOMPARE(box->webLink()->toolTip(), AboutBoxDialog::WEB_SITE);
        QCOMPARE(box->emailLink()->toolTip(),
                 QStringLiteral("mailto:") + AboutBoxDialog::SUPPORT_EMAIL);
    }

    void closeButtonWidth_data()
    {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("width");
        QTest::newRow("empty") << 0 << 90;
        QTest::newRow("20 px") << 20 << 90;
        QTest::newRow("just below") << 34 << 90;
        QTest::newRow("at the minimum") << 35 << 90;
        QTest::newRow("just above") << 36 << 91;
        QTest::newRow("60 px") << 60 << 115;
    }
    void closeButtonWidth()
    {
        QFETCH(int, textWidth);
        QFETCH(int, width);
        QCOMPARE(AboutBoxDialog::closeButtonWidth(textWidth), width);
    }

    void linksLaunch_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("email");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("web site") << QStringLiteral("Vantor") << false
                                  << QByteArray("https://www.quorvane.com");
        QTest::newRow("e-mail") << QStringLiteral("Vantor") << true
                                << QByteArray("mailto:support@quorvane.com"
                                              "?subject=Question%20regarding%20Vantor");
        QTest::newRow("e-mail, product with blank")
            << QStringLiteral("World Clock") << true
            << QByteArray("mailto:support@quorvane.com"
                          "?subject=Question%20regarding%20World%20Clock");
    }
    void linksLaunch()
    {
        QFETCH(QString, product);
        QFETCH(bool, email);
        QFETCH(QByteArray, expected);
        QList<QUrl> asked;
        AccessOther::setDesktopService([&asked](const QUrl& url) {
            asked.append(url);
            return true;
        });
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window, product));
        box->show();

        QLabel* link = email ? box->emailLink() : box->webLink();
        // A press alone, or another button, is no click on the link.
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::RightButton);
        QVERIFY(asked.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().toEncoded(), expected);
        QVERIFY(box->isVisible());
    }

    void failingLauncherLeavesBoxOpen()
    {
        AccessOther::setDesktopService([](const QUrl&) { return false; });
        int started = 0;
        AccessOther::setProcessStarter([&started](const QString&, const QStringList&) {
            ++started;
            return false;
        });
        AccessOther::setOperatingSystemName(QStringLiteral("linux"));
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        box->show();

        QTest::mouseClick(box->emailLink(), Qt::LeftButton);
        QTest::mouseClick(box->webLink(), Qt::LeftButton);
        QCOMPARE(started, 2);
        QVERIFY(box->isVisible());
        QVERIFY(!owner.window.isEnabled());
    }

    void ownerDisabledWhileOpen()
    {
        Owner owner;
        QPointer<AboutBoxDialog> box(newBox(&owner.window));
        QVERIFY(!owner.window.isEnabled());
        box->show();
        // The box itself takes input although it is a child of the disabled owner.
        QVERIFY(box->isEnabled());
        QVERIFY(box->closeButton()->isEnabled());

        QTest::mouseClick(owner.button, Qt::LeftButton);
        QCOMPARE(owner.clicks, 0);

        QTest::mouseClick(box->closeButton(), Qt::LeftButton);
        QTest::mouseClick(owner.button, Qt::LeftButton);
        QCOMPARE(owner.clicks, 1);
        delete box;
    }

    void everyWayOfClosingEnablesOwner_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("deleteOnClose");
        for (const char* way : {"button", "close box", "escape"}) {
            QTest::newRow(way) << QString::fromLatin1(way) << false;
            QTest::newRow(QByteArray(way).append(", delete on close").constData())
                << QString::fromLatin1(way) << true;
        }
    }
    void everyWayOfClosingEnablesOwner()
    {
        QFETCH(QString, way);
        QFETCH(bool, deleteOnClose);
        Owner owner;
        QPointer<AboutBoxDialog> box(newBox(&owner.window));
        if (deleteOnClose) {
            box->setAttribute(Qt::WA_DeleteOnClose);
        }
        box->show();
        QVERIFY(!owner.window.isEnabled());

        if (way == QLatin1String("button")) {
            QTest::mouseClick(box->closeButton(), Qt::LeftButton);
        } else if (way == QLatin1String("close box")) {
            QVERIFY(box->close());
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }

        QVERIFY(owner.window.isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (deleteOnClose) {
            QVERIFY(box.isNull());
        } else {
            QVERIFY(!box.isNull());
            QVERIFY(!box->isVisible());
            delete box;
        }
        QVERIFY(owner.window.isEnabled());
    }

    void destroyedWhileOpenEnablesOwner()
    {
        Owner owner;
        auto* box = newBox(&owner.window);
        box->show();
        delete box;
        QVERIFY(owner.window.isEnabled());
    }

    void direction_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << true;
        QTest::newRow("Hebrew") << QLocale(QLocale::Hebrew, QLocale::Israel) << true;
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << false;
    }
    void direction()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, rightToLeft);
        QLocale::setDefault(locale);
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        box->show();

        QCOMPARE(box->layoutDirection(), rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        // The image column is on the reading side where the rows start.
        const QWidget* image = box->findChild<QWidget*>(QStringLiteral("imagePanel"));
        const QLabel* name = labelWithText(*box, QStringLiteral("Vantor"));
        QVERIFY(image != nullptr && name != nullptr);
        if (rightToLeft) {
            QVERIFY(image->geometry().left() > name->geometry().right());
        } else {
            QVERIFY(image->geometry().right() < name->geometry().left());
        }
    }

    void linkColor_data()
    {
        QTest::addColumn<QColor>("panel");
        QTest::addColumn<QColor>("link");
        const QColor darkDrop = AboutBoxDialog::darker(StandardColors::DROP);
        QTest::newRow("dark scheme panel") << StandardColors::SHADE << AboutBoxDialog::LIGHT_BLUE;
        QTest::newRow("base colour panel") << StandardColors::BASE << AboutBoxDialog::LIGHT_BLUE;
        QTest::newRow("light panel") << QColor(239, 239, 239) << darkDrop;
        QTest::newRow("another dark colour") << StandardColors::WINDOW << darkDrop;
    }
    void linkColor()
    {
        QFETCH(QColor, panel);
        QFETCH(QColor, link);
        QCOMPARE(AboutBoxDialog::linkColor(panel), link);
    }

    void darker_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("fractions dropped") << QColor(200, 101, 9) << QColor(140, 70, 6);
        QTest::newRow("white") << QColor(255, 255, 255) << QColor(178, 178, 178);
        QTest::newRow("alpha kept") << QColor(10, 20, 30, 128) << QColor(7, 14, 21, 128);
    }
    void darker()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, expected);
        QCOMPARE(AboutBoxDialog::darker(color), expected);
    }

    void colorsKeptAfterDefaultsRestored_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark") << true;
        QTest::newRow("light") << false;
    }
    void colorsKeptAfterDefaultsRestored()
    {
        QFETCH(bool, dark);
        const ToolkitDefaults::Snapshot saved = ToolkitDefaults::save();
        if (dark) {
            ToolkitDefaults::put(QStringLiteral("Panel.background"), StandardColors::SHADE);
            ToolkitDefaults::put(QStringLiteral("Label.foreground"),
                                 StandardColors::HIGHLIGHT_TEXT);
        }
        const QColor panel = ToolkitDefaults::get(QStringLiteral("Panel.background"));
        const QColor text = ToolkitDefaults::get(QStringLiteral("Label.foreground"));
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        box->show();
        // What the opener does right after showing the box.
        ToolkitDefaults::put(QStringLiteral("Panel.background"), QColor(1, 2, 3));
        ToolkitDefaults::put(QStringLiteral("Label.foreground"), QColor(4, 5, 6));
        ToolkitDefaults::restore(saved);
        QCoreApplication::processEvents();

        QCOMPARE(box->palette().color(QPalette::Window), panel);
        const QLabel* name = labelWithText(*box, QStringLiteral("Vantor"));
        QVERIFY(name != nullptr);
        QCOMPARE(name->palette().color(QPalette::WindowText), text);
        const QColor link =
            dark ? AboutBoxDialog::LIGHT_BLUE : AboutBoxDialog::darker(StandardColors::DROP);
        QCOMPARE(box->webLink()->palette().color(QPalette::WindowText), link);
        QCOMPARE(box->emailLink()->palette().color(QPalette::WindowText), link);
    }

    void hostNames_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("key");
        QTest::addColumn<std::optional<QByteArray>>("value");
        QTest::addColumn<QString>("shown");
        const QString machine = QSysInfo::machineHostName();
        const QString host = UtilsConstants::QUORVANE_PROGRAM_HOSTNAME;
        const QString canonical = UtilsConstants::QUORVANE_PROGRAM_CANONICAL_HOSTNAME;
        const std::optional<QByteArray> unset;
        QTest::newRow("host, unset") << host << "Hostname" << unset << machine;
        QTest::newRow("host, empty")
            << host << "Hostname" << std::optional(QByteArray()) << machine;
        QTest::newRow("host, set")
            << host << "Hostname" << std::optional(QByteArray("clock-01")) << "clock-01";
        QTest::newRow("canonical, unset") << canonical << "Canonical Hostname" << unset << machine;
        QTest::newRow("canonical, set")
            << canonical << "Canonical Hostname"
            << std::optional(QByteArray("clock-01.example.org")) << "clock-01.example.org";
    }
    void hostNames()
    {
        QFETCH(QString, variable);
        QFETCH(QString, key);
        QFETCH(std::optional<QByteArray>, value);
        QFETCH(QString, shown);
        const QByteArray name = variable.toLatin1();
        EnvironmentGuard guard(name.constData(), value);

        QCOMPARE(AboutBoxDialog::hostName(variable), shown);
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        QVERIFY(labelWithText(*box, key + QStringLiteral("=") + shown) != nullptr);
        QVERIFY(labelWithText(*box, key + QStringLiteral("=null")) == nullptr);
    }

    void userRows()
    {
        EnvironmentGuard user("USER", std::nullopt);
        EnvironmentGuard logname("LOGNAME", QByteArray("kim"));
        Owner owner;
        std::unique_ptr<AboutBoxDialog> box(newBox(&owner.window));
        QVERIFY(labelWithText(*box, QStringLiteral("user.name=kim")) != nullptr);
        QVERIFY(labelWithText(*box, QStringLiteral("user.home=") + QDir::homePath()) != nullptr);
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
