#include "utils/gui/components/BlankIcon.h"
#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/components/MyJComboBox.h"
#include "utils/gui/components/MyMenuItem.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/Logger.h"
#include "utils/gui/layout/ConstraintLayout.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QStyleFactory>
#include <QtTest>

#include <sstream>

#ifdef Q_OS_LINUX
#include <link.h>
#endif

using namespace utils;

namespace {

QImage render(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// First and last column in which two drawings of the same widget differ; drawn once with
// a text and once without, that is where the text is. {-1, -1} when they are alike.
std::pair<int, int> differingColumns(const QImage& a, const QImage& b, const QRect& area)
{
    std::pair<int, int> found{-1, -1};
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                found = {found.first < 0 ? x : found.first, x};
                break;
            }
        }
    }
    return found;
}

// A menu of one entry, shown as a popup is, 200 pixels wide.
QImage renderMenu(QAction* entry, QStyle* style)
{
    QMenu menu;
    menu.setStyle(style);
    menu.setFixedWidth(200);
    menu.addAction(entry);
    menu.popup(QPoint(0, 0));
    return render(menu).copy(menu.actionGeometry(entry));
}

// The current text of a 200 x 25 box over the items, and the rows of its open list.
std::pair<QImage, QImage> renderCombo(const QStringList& items, Qt::LayoutDirection direction)
{
    MyJComboBox box(items, nullptr, 0, QSize(200, 25));
    box.addItem(items.first()); // a row added after building
    box.setLayoutDirection(direction);
    box.resize(200, 25);
    box.show();
    const QImage shown = render(box);
    box.showPopup();
    const QImage rows = render(*box.view()->viewport());
    box.hidePopup();
    return {shown, rows};
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

    std::ostringstream log_;
    QStringList heard_;
    ActionListener listener()
    {
        return [this](const QString& command) {
            heard_ << command;
        };
    }

private slots:
    void init()
    {
        heard_.clear();
        log_.str({});
        Logger::resetForTesting();
        Logger::setStream(&log_);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }
    void cleanupTestCase() { Logger::resetForTesting(); }

    void readingDirection_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("rightToLeft");
        for (const char* name : {"ar", "ar_EG", "fa", "he", "he_IL", "iw", "iw_IL", "ur_PK"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        }
        // Written in Arabic script, yet the program reads them left to right.
        for (const char* name : {"ps", "ps_AF", "sd", "en", "de_DE"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << false;
        }
    }
    void readingDirection()
    {
        QFETCH(QString, locale);
        QFETCH(bool, rightToLeft);
        QCOMPARE(LayoutUtils::isRightToLeft(QLocale(locale)), rightToLeft);
        QCOMPARE(LayoutUtils::layoutDirection(QLocale(locale)),
                 rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    }

    // Every image the windows name is packed and readable (GIFs need their plugin).
    void packedImagesLoad_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* name :
             {"exit.gif", "up_arrow.gif", "down_arrow.gif", "dialog-apply.png",
              "dialog-disable.png", "dialog-cancel-4.png", "document-close-3.png",
              "media-floppy-3.5-2.png", "user-new.png", "homepage.png", "email-go.png",
              "preferences.png", "accessories-clock-3.png"}) {
            QTest::newRow(name) << QStringLiteral("images/16/") + QLatin1String(name);
        }
        QTest::newRow("program icon") << QStringLiteral("images/vantor.png");
        QTest::newRow("leading slash") << QStringLiteral("/images/16/exit.gif");
        QTest::newRow("resource path") << QStringLiteral(":/com/quorvane/images/16/exit.gif");
    }
    void packedImagesLoad()
    {
        QFETCH(QString, path);
        QVERIFY(!LayoutUtils::loadIcon(path).pixmap(16).isNull());
        QVERIFY(log_.str().empty());
    }
#ifdef Q_OS_LINUX
    // Each image is decoded by the decoder for its own format: loading the program's
    // images loads no other image plugin (the JPEG one costs milliseconds at start-up).
    void imagesLoadNoPluginOfAnotherFormat()
    {
        QVERIFY(!LayoutUtils::loadIcon(u"images/16/exit.gif"_qs).isNull());
        QVERIFY(!LayoutUtils::loadIcon(u"images/vantor.png"_qs).isNull());
        QStringList loaded;
        dl_iterate_phdr(
            [](dl_phdr_info* info, size_t, void* list) {
                static_cast<QStringList*>(list)->append(QString::fromLocal8Bit(info->dlpi_name));
                return 0;
            },
            &loaded);
        QCOMPARE(loaded.filter(u"imageformats/"_qs).filter(QRegularExpression(u"jpeg|ico"_qs)),
                 QStringList());
    }
#endif
    void missingImageIsReported()
    {
        QVERIFY(LayoutUtils::loadIcon(QStringLiteral("images/16/no-such.png")).isNull());
        QVERIFY(QString::fromStdString(log_.str()).contains(u"images/16/no-such.png"));
    }

    void preferredSizes()
    {
        const QString image = QStringLiteral("images/16/exit.gif");
        const QStringList items{QStringLiteral("10"), QStringLiteral("12")};
        const QSize given(140, 30);
        QCOMPARE(MyJButtonWithImage("Exit", nullptr, image).sizeHint(), QSize(110, 25));
        QCOMPARE(MyJButtonWithImage("Exit", nullptr, image, false, "Exit").sizeHint(),
                 QSize(110, 25));
        QCOMPARE(MyJButtonWithImage("Exit", nullptr, image, given, true).sizeHint(), given);
        QCOMPARE(MyJComboBox(items, nullptr).sizeHint(), QSize(50, 25));
        QCOMPARE(MyJComboBox(items, nullptr, 1, false).sizeHint(), QSize(50, 25));
        QCOMPARE(MyJComboBox(items, nullptr, given).sizeHint(), given);
    }

    void buttonReportsItsCommand()
    {
        MyJButtonWithImage save(QStringLiteral("Save"), listener(),
                                QStringLiteral("images/16/dialog-apply.png"), QSize(90, 25), false,
                                QStringLiteral("SaveFile"));
        QCOMPARE(save.toolTip(), QStringLiteral("Save"));
        QVERIFY(!save.icon().isNull());
        save.show();
        QTest::mouseClick(&save, Qt::LeftButton); // disabled: nothing
        save.setEnabled(true);
        QTest::mouseClick(&save, Qt::LeftButton);
        // Without a command the button reports its text, a "&" in it shown as it is.
        MyJButtonWithImage plain(QStringLiteral("Save & Exit"), listener(), QString());
        QCOMPARE(plain.text(), QStringLiteral("Save && Exit"));
        plain.click();
        MyJButtonWithImage deaf(QStringLiteral("Save"), nullptr, QString());
        deaf.click();
        QCOMPARE(heard_, (QStringList{QStringLiteral("SaveFile"), QStringLiteral("Save & Exit")}));
    }

    // A Close button's listener commonly destroys the window the button sits in.
    void listenerMayDeleteTheWidget()
    {
        auto* window = new QWidget;
        auto* button = new MyJButtonWithImage(
            QStringLiteral("Close"), [window](const QString&) { delete window; }, QString());
        button->setParent(window);
        QPointer<QWidget> watch(window);
        button->click();
        QVERIFY(watch.isNull());

        QObject* menu = new QObject;
        QAction* close = MyMenuItem::createMenuItem(
            QStringLiteral("Close"), [menu](const QString&) { delete menu; }, {}, 0, {}, true,
            menu);
        QPointer<QObject> menuWatch(menu);
        close->trigger();
        QVERIFY(menuWatch.isNull());
    }

    void comboSelection_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        const QStringList three{QStringLiteral("Yes"), QStringLiteral("No"),
                                QStringLiteral("Maybe")};
        QTest::newRow("past the end") << three << 5 << 0;
        QTest::newRow("one past the last") << three << 3 << 0;
        QTest::newRow("the last") << three << 2 << 2;
        QTest::newRow("minus one: none") << three << -1 << -1;
        QTest::newRow("below minus one") << three << -7 << 0;
        QTest::newRow("empty list") << QStringList() << 0 << -1;
        QTest::newRow("empty list, any index") << QStringList() << 3 << -1;
    }
    void comboSelection()
    {
        QFETCH(QStringList, items);
        QFETCH(int, index);
        QFETCH(int, selected);
        MyJComboBox box(items, listener(), index, QSize(80, 25), false);
        QCOMPARE(box.currentIndex(), selected);
        QCOMPARE(box.currentText(), selected >= 0 ? items.at(selected) : QString());
        QVERIFY(!box.isEditable());
        QVERIFY(!box.isEnabled());
        QVERIFY(heard_.isEmpty()); // building is not a choice
    }

    void comboReportsChoices()
    {
        MyJComboBox box({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                        listener());
        box.setActionCommand(QStringLiteral("TimeFormat"));
        box.show();
        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.currentIndex(), 1);
        box.setCurrentIndex(2);  // the program's own change: not reported
        box.setSelectedIndex(2); // on the user's behalf: reported, even when unchanged
        QCOMPARE(heard_, QStringList(2, QStringLiteral("TimeFormat")));

        MyJComboBox deaf({QStringLiteral("a"), QStringLiteral("b")}, nullptr);
        deaf.show();
        QTest::keyClick(&deaf, Qt::Key_Down);
        deaf.setSelectedIndex(0);
    }

    void comboReadOnlyIgnoresTheMouse()
    {
        MyJComboBox box({QStringLiteral("a"), QStringLiteral("b")}, listener());
        box.resize(120, 25);
        box.show();
        box.setReadOnly();
        QTest::mouseClick(&box, Qt::LeftButton);
        QVERIFY(!box.view()->isVisible());
        QWheelEvent wheel(QPointF(10, 10), box.mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&box, &wheel);
        QCOMPARE(box.currentIndex(), 0);
        box.setReadOnly(false);
        QTest::mouseClick(&box, Qt::LeftButton);
        QTRY_VERIFY(box.view()->isVisible());
        box.hidePopup();
    }

    // The side follows the default locale, whatever direction the box itself has been
    // given, for the shown text and for every row of the list.
    void comboTextSide_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::addColumn<bool>("right");
        QTest::newRow("he") << "he" << Qt::RightToLeft << true;
        QTest::newRow("iw") << "iw" << Qt::RightToLeft << true;
        QTest::newRow("ur") << "ur" << Qt::RightToLeft << true;
        QTest::newRow("he, box not mirrored") << "he" << Qt::LeftToRight << true;
        QTest::newRow("ps") << "ps" << Qt::LeftToRight << false;
        QTest::newRow("sd") << "sd" << Qt::LeftToRight << false;
        QTest::newRow("ps, box mirrored") << "ps" << Qt::RightToLeft << false;
        QTest::newRow("en, box mirrored") << "en" << Qt::RightToLeft << false;
    }
    void comboTextSide()
    {
        QFETCH(QString, locale);
        QFETCH(Qt::LayoutDirection, direction);
        QFETCH(bool, right);
        QLocale::setDefault(QLocale(locale));
        const auto [shown, rows] =
            renderCombo({QStringLiteral("MW"), QStringLiteral("WM")}, direction);
        const auto [emptyShown, emptyRows] = renderCombo({QString(), QString()}, direction);
        const auto onItsSide = [right](std::pair<int, int> text, int width) {
            return text.first >= 0 && (right ? text.first > width / 2 : text.second < width / 2);
        };
        QVERIFY(onItsSide(differingColumns(shown, emptyShown, shown.rect()), shown.width()));
        const int rowHeight = rows.height() / 3;
        for (int row = 0; row < 3; ++row) {
            const QRect cell(0, row * rowHeight, rows.width(), rowHeight);
            QVERIFY2(onItsSide(differingColumns(rows, emptyRows, cell), rows.width()),
                     qPrintable(QString::number(row)));
        }
    }

    void mnemonicText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mnemonic");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << "Exit" << 0 << "Exit";
        QTest::newRow("first occurrence") << "Reset View" << int('e') << "R&eset View";
        QTest::newRow("either case") << "Time Zones" << int('z') << "Time &Zones";
        QTest::newRow("not in text") << "Exit" << int('q') << "Exit";
        QTest::newRow("ampersand is literal") << "Save & Exit" << 0 << "Save && Exit";
        QTest::newRow("ampersand and mnemonic") << "Save & Exit" << int('x') << "Save && E&xit";
        QTest::newRow("ampersand as mnemonic") << "A & B" << int('&') << "A && B";
        QTest::newRow("non-ASCII")
            << QStringLiteral("Über") << int(u'ü') << QStringLiteral("&Über");
    }
    void mnemonicText()
    {
        QFETCH(QString, text);
        QFETCH(int, mnemonic);
        QFETCH(QString, expected);
        QCOMPARE(MyMenuItem::mnemonicText(text, char16_t(mnemonic)), expected);
    }

    void menuItems()
    {
        QObject owner;
        QAction* exit = MyMenuItem::createMenuItemWithIcon(
            QStringLiteral("Exit"), QStringLiteral("images/16/exit.gif"), listener(),
            QStringLiteral("Exit"), 0, QKeySequence(), true, &owner);
        QAction* reset = MyMenuItem::createMenuItem(
            QStringLiteral("Reset View"), listener(), QStringLiteral("ResetView"), u'v',
            QKeySequence(QStringLiteral("Ctrl+R")), false, &owner);
        QAction* dark = MyMenuItem::createJCheckBoxMenuItem(QStringLiteral("Dark"), listener(),
                                                            QString(), 0, {}, true, &owner);
        QCOMPARE(exit->parent(), &owner);
        QVERIFY(!reset->isEnabled());
        QCOMPARE(reset->text(), QStringLiteral("Reset &View"));
        QCOMPARE(reset->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        QVERIFY(dark->isCheckable() && !dark->isChecked());
        exit->trigger();
        dark->trigger(); // without a command: its text
        MyMenuItem::setActionCommand(exit, QStringLiteral("Quit"));
        exit->trigger();
        MyMenuItem::createMenuItem("About", nullptr, "About", 0, {}, true, &owner)->trigger();
        QCOMPARE(heard_, (QStringList{"Exit", "Dark", "Quit"}));
    }

    // Entries without an image start their texts where entries with one do, an icon's
    // width in, in every style, also in a menu that has no image at all.
    void entriesWithoutImageIndentTheirText_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        for (const QString& style : QStyleFactory::keys()) {
            QTest::newRow(qPrintable(style + " ltr")) << style << Qt::LeftToRight;
            QTest::newRow(qPrintable(style + " rtl")) << style << Qt::RightToLeft;
        }
    }
    void entriesWithoutImageIndentTheirText()
    {
        QFETCH(QString, style);
        QFETCH(Qt::LayoutDirection, direction);
        const std::unique_ptr<QStyle> menuStyle(QStyleFactory::create(style));
        QApplication::setLayoutDirection(direction);
        QObject owner;
        const auto entry = [&](const QString& text, const QString& image) {
            return renderMenu(
                MyMenuItem::createMenuItemWithIcon(text, image, nullptr, {}, 0, {}, true, &owner),
                menuStyle.get());
        };
        const QString text = QStringLiteral("Reset View");
        const QImage blank = entry(text, QString());
        const QImage image = entry(text, QStringLiteral("images/16/preferences.png"));
        QCOMPARE(entry(text, QStringLiteral("images/16/missing.png")), blank);

        const auto [first, last] =
            differingColumns(blank, entry(QString(), QString()), blank.rect());
        const auto [iconFirst, iconLast] = differingColumns(blank, image, blank.rect());
        QVERIFY(first >= 0 && iconFirst >= 0);
        if (direction == Qt::LeftToRight) {
            QVERIFY2(iconLast < first && first >= 16, qPrintable(QString::number(first)));
        } else {
            QVERIFY(iconFirst > last && blank.width() - 1 - last >= 16);
        }
    }

    // A check-box entry keeps its check mark, which an icon would replace.
    void checkBoxEntryShowsItsMark()
    {
        QObject owner;
        QAction* dark = MyMenuItem::createJCheckBoxMenuItem(QStringLiteral("Dark"), nullptr,
                                                            QString(), 0, {}, true, &owner);
        auto* bare = new QAction(QStringLiteral("Dark"), &owner);
        bare->setCheckable(true);
        dark->setChecked(true);
        bare->setChecked(true);
        QCOMPARE(renderMenu(dark, QApplication::style()), renderMenu(bare, QApplication::style()));
    }

    void blankIcon_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("size");
        QTest::newRow("default") << QColor() << 16;
        QTest::newRow("filled") << QColor(Qt::red) << 5;
        QTest::newRow("one pixel") << QColor(Qt::red) << 1;
    }
    void blankIcon()
    {
        QFETCH(QColor, color);
        QFETCH(int, size);
        const BlankIcon icon = color.isValid() ? BlankIcon(color, size) : BlankIcon();
        const QImage image = icon.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                // The square is one pixel short of the right and bottom edges.
                const bool inside = color.isValid() && x < size - 1 && y < size - 1;
                QCOMPARE(image.pixel(x, y), inside ? color.rgba() : qRgba(0, 0, 0, 0));
            }
        }
        QVERIFY(BlankIcon(Qt::red, 0).icon().isNull());
        QVERIFY(BlankIcon(QColor(), -4).pixmap().isNull());
    }

    void separatorRow_data()
    {
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("left to right") << Qt::LeftToRight;
        QTest::newRow("right to left") << Qt::RightToLeft;
    }
    void separatorRow()
    {
        QFETCH(Qt::LayoutDirection, direction);
        QWidget panel;
        panel.setLayoutDirection(direction);
        auto* layout = new ConstraintLayout(QString(), QString(), QString(), &panel);
        auto* caption = new QLabel(QStringLiteral("Europe/Berlin"));
        QFrame* line = LayoutUtils::addSeparator(&panel, caption);
        auto* clock = new QLabel(QStringLiteral("12:00:00"));
        clock->setMinimumWidth(300); // the clock below sets the width of the column
        layout->addWidget(clock, QStringLiteral("wrap"));
        QVERIFY(line && line->frameShape() == QFrame::HLine);
        QVERIFY(layout->constraintErrors().isEmpty());
        panel.resize(panel.sizeHint());
        layout->activate();

        const QRect c = caption->geometry();
        const QRect l = line->geometry();
        const QRect k = clock->geometry();
        // One row: the line within the caption's height, after it, out to the column's end;
        // the next row 1 + 1 + 2 pixels below the caption.
        QVERIFY(l.top() >= c.top() && l.bottom() <= c.bottom());
        if (direction == Qt::LeftToRight) {
            QVERIFY(c.left() == k.left() && l.left() > c.right() && l.right() == k.right());
        } else {
            QVERIFY(c.right() == k.right() && l.right() < c.left() && l.left() == k.left());
        }
        QCOMPARE(k.top(), c.bottom() + 1 + 1 + 2);

        // The caption form makes its label in the caption colour.
        QWidget other;
        new ConstraintLayout(QString(), QString(), QString(), &other);
        QVERIFY(LayoutUtils::addSeparator(&other, QStringLiteral("General")));
        auto* label = other.findChild<QLabel*>();
        QVERIFY(label && label->text() == QStringLiteral("General"));
        QCOMPARE(label->palette().color(QPalette::WindowText), LayoutUtils::LABEL_COLOR);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no ConstraintLayout"));
        QCOMPARE(LayoutUtils::addSeparator(clock, caption), nullptr);
    }

    // Changes the fonts of the whole test process, so it runs last.
    void adjustedFontsReachTheWidgets()
    {
        FontUtils::handleAdjustFontRemoveBold(14);
        for (const char* name : {"QPushButton", "QMenu", "QComboBox"}) {
            QCOMPARE(QApplication::font(name).pointSize(), 14);
            QVERIFY(!QApplication::font(name).bold());
        }
        QCOMPARE(MyJButtonWithImage("Close", nullptr, QString()).font().pointSize(), 14);
        QCOMPARE(MyJComboBox({QStringLiteral("a")}, nullptr).font().pointSize(), 14);
        QMenu menu;
        QCOMPARE(menu.font().pointSize(), 14);
        QVERIFY(!menu.font().bold());
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
