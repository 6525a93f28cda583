#pragma once

#include "utils/handlers/LanguageTable.h"

#include <QColor>
#include <QDialog>
#include <QLocale>
#include <QPointer>
#include <QString>

class QCloseEvent;
class QEvent;
class QLabel;

namespace utils {

class ImageLabel;
class MyJButtonWithImage;

// The maker's About window: product image, name, version, release date and copyright,
// the company's address, web site and support address (both clickable), and what the
// program runs on. It is not modal; instead it keeps the owner disabled from the end of
// construction until it closes, by its Close button, its window close box or Escape.
// Its colours are the toolkit defaults at the time it is built, kept for its lifetime.
class AboutBoxDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString LANGUAGE = QStringLiteral("com.quorvane.utils.lang/Lang");
    static inline const QString COMPANY = QStringLiteral("Quorvane Inc.");
    static inline const QString ADDRESS_LINE_1 =
        QStringLiteral("1180 Harbor View Drive, Suite 300");
    static inline const QString ADDRESS_LINE_2 = QStringLiteral("Portland, OR 97209, USA");
    static inline const QString WEB_SITE = QStringLiteral("https://www.quorvane.com");
    static inline const QString SUPPORT_EMAIL = QStringLiteral("support@quorvane.com");
    static inline const QString RUNTIME_VENDOR = QStringLiteral("The Qt Company");
    static inline const QString FONT_FAMILY = QStringLiteral("Helvetica");
    static constexpr int FONT_SIZE = 12;
    static constexpr int WIDTH = 350;
    static constexpr int HEIGHT = 380;
    static constexpr int CLOSE_BUTTON_HEIGHT = 25;
    // Link colour on the dark panels.
    static inline const QColor LIGHT_BLUE = QColor(114, 176, 234);

    AboutBoxDialog(QWidget* owner, const QString& productName, const QString& version,
                   const QString& released, const QString& copyright, const QString& imagePath);
    // Gives the owner its input back if the box goes away without being closed.
    ~AboutBoxDialog() override;

    // Loads the utility language table of the locale into labels().
    void setMyLang(const QLocale& locale);
    // Enables the owner again and hides the box. A box the opener marked
    // Qt::WA_DeleteOnClose is also deleted, whichever way it was closed.
    void dialogCleanUp();
    // "CloseCmd" closes; anything else is ignored.
    void actionPerformed(const QString& command);

    const QString& productName() const { return productName_; }
    const LanguageTable& labels() const { return labels_; }
    QLabel* webLink() const;
    QLabel* emailLink() const;
    MyJButtonWithImage* closeButton() const { return close_BTN; }

    // The Close button is as wide as its text plus room for the image, never narrower
    // than 90 pixels.
    static int closeButtonWidth(int textWidth);
    // Light blue on the dark panels (standard shade or base colour), otherwise the
    // standard drop colour darkened.
    static QColor linkColor(const QColor& panelBackground);
    // Each of red, green and blue multiplied by 0.7, fractions dropped; alpha kept.
    static QColor darker(const QColor& color);
    // The mail address the support link opens, with a subject naming the product.
    static QString supportMailUri(const QString& productName);
    // The environment variable's value, or the machine's own host name when it is unset
    // or empty. Never asks a name server: this runs on the GUI thread.
    static QString hostName(const QString& environmentVariable);
    // The login name from USER, LOGNAME or USERNAME, the first one set.
    static QString userName();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    void buildContent(const QString& version, const QString& released, const QString& copyright,
                      const QString& imagePath);
    void applyColors();
    ImageLabel* createLink(const QString& text, const QString& iconPath, const QString& toolTip);

    QString productName_;
    LanguageTable labels_;
    QPointer<QWidget> owner_;
    bool ownerDisabled_ = false;
    ImageLabel* web_LBL = nullptr;
    ImageLabel* email_LBL = nullptr;
    MyJButtonWithImage* close_BTN = nullptr;
};

} // namespace utils
