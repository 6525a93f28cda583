#include "utils/gui/dialogs/AboutBoxDialog.h"

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

#include "utils/gui/components/ImageLabel.h"
#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/handlers/AccessOther.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/Logger.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/handlers/TableLanguage.h"
#include "utils/objects/constants/StandardColors.h"
#include "utils/objects/constants/UtilsConstants.h"

#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QSysInfo>
#include <QtGlobal>

namespace utils {

namespace {

constexpr int IMAGE_MARGIN = 5;
constexpr int CLOSE_MIN_WIDTH = 90;
constexpr double DARKER_FACTOR = 0.7;

QFont rowFont(bool bold)
{
    QFont font(AboutBoxDialog::FONT_FAMILY, AboutBoxDialog::FONT_SIZE);
    font.setBold(bold);
    return font;
}

QLabel* textRow(const QString& text, bool bold)
{
    auto* label = new QLabel(text);
    // Names and addresses are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(rowFont(bold));
    // A Latin-only row (company, address, user rows) reads left to right inside a
    // right-to-left box too; otherwise its full stop would jump to the front.
    if (!text.isRightToLeft()) {
        label->setLayoutDirection(Qt::LeftToRight);
    }
    return label;
}

} // namespace

AboutBoxDialog::AboutBoxDialog(QWidget* owner, const QString& productName, const QString& version,
                               const QString& released, const QString& copyright,
                               const QString& imagePath)
    : QDialog(owner), productName_(productName), owner_(owner)
{
    setModal(false);
    setMyLang(QLocale());
    setWindowTitle(labels_.getString(QStringLiteral("menu.about")));

    buildContent(version, released, copyright, imagePath);
    applyColors();

    resize(WIDTH, HEIGHT);
    if (owner_ != nullptr) {
        const QRect ownerFrame = owner_->window()->frameGeometry();
        move(ownerFrame.center() - QPoint(WIDTH / 2, HEIGHT / 2));
    }
    setLayoutDirection(LayoutUtils::layoutDirection());
    // Fitted to the contents and fixed there; all of it on the screen, title bar included,
    // also when the owner sits near an edge or the screen is smaller than the box.
    setFixedSize(sizeHint());
    LayoutUtils::keepOnScreen(this);

    if (owner_ != nullptr) {
        owner_->setEnabled(false);
        ownerDisabled_ = true;
        // The box is a child of its owner, and disabling a widget disables its child
        // windows too.
        setEnabled(true);
    }
}

AboutBoxDialog::~AboutBoxDialog()
{
    if (ownerDisabled_ && owner_ != nullptr) {
        owner_->setEnabled(true);
    }
}

void AboutBoxDialog::setMyLang(const QLocale& locale)
{
    labels_ = LanguageTable::load(LANGUAGE, tableLanguage(locale),
                                  QLocale::territoryToCode(locale.territory()));
}

void AboutBoxDialog::buildContent(const QString& version, const QString& released,
                                  const QString& copyright, const QString& imagePath)
{
    // The rows scroll on a screen too small for them; the Close button stays below them,
    // a gap between groups under the last row, and the default insets around it.
    auto* rows = new QWidget();
    const int insets = ConstraintLayout::DefaultInsets;
    auto* layout = new ConstraintLayout(QStringLiteral("insets %1 %1 0 %1").arg(insets));
    rows->setLayout(layout);
    auto* closeRow = new QWidget();
    auto* closeLayout = new ConstraintLayout(
        QStringLiteral("insets %1 %2 %2 %2").arg(CellConstraint::UnrelatedGap).arg(insets),
        QStringLiteral("[grow]"));
    closeRow->setLayout(closeLayout);

    auto* imagePanel = new QWidget();
    imagePanel->setObjectName(QStringLiteral("imagePanel"));
    auto* imagePanelLayout = new QHBoxLayout(imagePanel);
    imagePanelLayout->setContentsMargins(0, 0, 0, 0);
    auto* image = new QLabel();
    image->setObjectName(QStringLiteral("productImage"));
    const QPixmap pixmap(LayoutUtils::resourcePath(imagePath));
    if (pixmap.isNull()) {
        Logger::log(QStringLiteral("Product image not found: ") + imagePath);
    }
    image->setPixmap(pixmap);
    image->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    image->setLineWidth(1);
    image->setMargin(IMAGE_MARGIN);
    imagePanelLayout->addWidget(image);
    layout->addWidget(imagePanel, QStringLiteral("spany 3"));

    const QString sep = QStringLiteral(": ");
    layout->addWidget(textRow(productName_, true), QStringLiteral("wrap"));
    layout->addWidget(
        textRow(labels_.getString(QStringLiteral("dialog.version")) + sep + version, true),
        QStringLiteral("wrap"));
    layout->addWidget(
        textRow(labels_.getString(QStringLiteral("dialog.released")) + sep + released, false),
        QStringLiteral("wrap"));
    layout->addWidget(
        textRow(labels_.getString(QStringLiteral("dialog.copyright")) + sep + copyright, false),
        QStringLiteral("skip, wrap para"));
    layout->addWidget(textRow(COMPANY, false), QStringLiteral("skip, wrap"));
    layout->addWidget(textRow(ADDRESS_LINE_1, false), QStringLiteral("skip, wrap"));
    layout->addWidget(textRow(ADDRESS_LINE_2, false), QStringLiteral("skip, wrap"));

    web_LBL = createLink(WEB_SITE, QStringLiteral("images/16/homepage.png"), WEB_SITE);
    web_LBL->setObjectName(QStringLiteral("webLink"));
    layout->addWidget(web_LBL, QStringLiteral("skip, wrap para"));

    layout->addWidget(textRow(labels_.getString(QStringLiteral("dialog.support")) + sep, true),
                      QStringLiteral("skip, wrap"));
    email_LBL = createLink(SUPPORT_EMAIL, QStringLiteral("images/16/email-go.png"),
                           QStringLiteral("mailto:") + SUPPORT_EMAIL);
    email_LBL->setObjectName(QStringLiteral("emailLink"));
    layout->addWidget(email_LBL, QStringLiteral("skip, wrap para"));

    const QString blank = QStringLiteral(" ");
    layout->addWidget(textRow(labels_.getString(QStringLiteral("sys.jvmversion")) + blank +
                                  QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                              false),
                      QStringLiteral("skip, wrap"));
    layout->addWidget(
        textRow(labels_.getString(QStringLiteral("dialog.by")) + blank + RUNTIME_VENDOR, false),
        QStringLiteral("skip, wrap para"));
    layout->addWidget(textRow(QStringLiteral("user.name=") + userName(), false),
                      QStringLiteral("skip, wrap"));
    layout->addWidget(textRow(QStringLiteral("user.home=") + QDir::homePath(), false),
                      QStringLiteral("skip, wrap"));
    const QString eq = QStringLiteral("=");
    layout->addWidget(textRow(labels_.getString(QStringLiteral("sys.hostname")) + eq +
                                  hostName(UtilsConstants::QUORVANE_PROGRAM_HOSTNAME),
                              false),
                      QStringLiteral("skip, wrap"));
    layout->addWidget(textRow(labels_.getString(QStringLiteral("sys.canonicalhostname")) + eq +
                                  hostName(UtilsConstants::QUORVANE_PROGRAM_CANONICAL_HOSTNAME),
                              false),
                      QStringLiteral("skip, wrap para"));

    close_BTN = new MyJButtonWithImage(
        labels_.getString(QStringLiteral("button.close")),
        [this](const QString& command) { actionPerformed(command); },
        QStringLiteral("images/16/document-close-3.png"), true, QStringLiteral("CloseCmd"));
    close_BTN->setObjectName(QStringLiteral("closeButton"));
    close_BTN->setPreferredSize(
        QSize(closeButtonWidth(FontUtils::getStringWidth(
                  labels_.getString(QStringLiteral("button.close")), close_BTN)),
              CLOSE_BUTTON_HEIGHT));
    closeLayout->addWidget(close_BTN, QStringLiteral("align center"));
    LayoutUtils::setScrollingContent(this, rows, closeRow);
}

ImageLabel* AboutBoxDialog::createLink(const QString& text, const QString& iconPath,
                                       const QString& toolTip)
{
    auto* link = new ImageLabel(text);
    link->setTextFormat(Qt::PlainText);
    link->setFont(rowFont(false));
    link->setIcon(LayoutUtils::loadIcon(iconPath));
    link->setToolTip(toolTip);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    return link;
}

void AboutBoxDialog::applyColors()
{
    // Explicit roles, so that the box keeps the colours it was built with when the opener
    // puts the toolkit defaults back while it is still open.
    const QColor panelBackground = ToolkitDefaults::get(QStringLiteral("Panel.background"));
    QPalette own = palette();
    own.setColor(QPalette::Window, panelBackground);
    own.setColor(QPalette::WindowText, ToolkitDefaults::get(QStringLiteral("Label.foreground")));
    setPalette(own);

    const QColor link = linkColor(panelBackground);
    for (QLabel* label : {static_cast<QLabel*>(web_LBL), static_cast<QLabel*>(email_LBL)}) {
        QPalette linkPalette = label->palette();
        linkPalette.setColor(QPalette::WindowText, link);
        label->setPalette(linkPalette);
    }
}

QLabel* AboutBoxDialog::webLink() const
{
    return web_LBL;
}

QLabel* AboutBoxDialog::emailLink() const
{
    return email_LBL;
}

bool AboutBoxDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == web_LBL || watched == email_LBL) &&
        event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            // A launcher that fails has logged why; the box stays as it is.
            if (watched == web_LBL) {
                AccessOther::openWebPage(WEB_SITE);
            } else {
                AccessOther::createEmail(supportMailUri(productName_));
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBoxDialog::actionPerformed(const QString& command)
{
    if (command == QLatin1String("CloseCmd")) {
        dialogCleanUp();
    }
}

void AboutBoxDialog::dialogCleanUp()
{
    if (owner_ != nullptr) {
        owner_->setEnabled(true);
    }
    ownerDisabled_ = false;
    hide();
    // hide() alone never deletes; the opener's "drop it when it closes" must hold for the
    // Close button as well as for the close box.
    if (testAttribute(Qt::WA_DeleteOnClose)) {
        deleteLater();
    }
}

void AboutBoxDialog::closeEvent(QCloseEvent* event)
{
    dialogCleanUp();
    event->accept();
}

void AboutBoxDialog::reject()
{
    // Escape would otherwise hide the box and leave the owner disabled for good.
    dialogCleanUp();
}

int AboutBoxDialog::closeButtonWidth(int textWidth)
{
    return MyJButtonWithImage::widthFor(textWidth, CLOSE_MIN_WIDTH);
}

QColor AboutBoxDialog::darker(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return QColor(qMax(static_cast<int>(rgb.red() * DARKER_FACTOR), 0),
                  qMax(static_cast<int>(rgb.green() * DARKER_FACTOR), 0),
                  qMax(static_cast<int>(rgb.blue() * DARKER_FACTOR), 0), rgb.alpha());
}

QColor AboutBoxDialog::linkColor(const QColor& panelBackground)
{
    if (panelBackground == StandardColors::SHADE || panelBackground == StandardColors::BASE) {
        return LIGHT_BLUE;
    }
    return darker(StandardColors::DROP);
}

QString AboutBoxDialog::supportMailUri(const QString& productName)
{
    return QStringLiteral("mailto:") + SUPPORT_EMAIL +
           QStringLiteral("?subject=Question regarding ") + productName;
}

QString AboutBoxDialog::hostName(const QString& environmentVariable)
{
    const QByteArray name = environmentVariable.toLocal8Bit();
    if (!qEnvironmentVariableIsEmpty(name.constData())) {
        return qEnvironmentVariable(name.constData());
    }
    return QSysInfo::machineHostName();
}

QString AboutBoxDialog::userName()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return qEnvironmentVariable(variable);
        }
    }
#ifdef Q_OS_UNIX
    // A session without these variables (a service, su) still has an account name.
    if (const passwd* account = getpwuid(getuid())) {
        return QString::fromLocal8Bit(account->pw_name);
    }
#endif
    return QString();
}

} // namespace utils
