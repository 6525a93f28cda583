#include "vantor/dialogs/ZoneSearch.h"

#include "utils/handlers/IcuText.h"
#include "vantor/dialogs/TimeZoneDialog.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/handlers/ZoneFacts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

#include <unicode/translit.h>

#include <memory>
#include <vector>

namespace vantor {

namespace {

// The ways people write an offset: "+05:30", "UTC+05:30", "UTC+5:30", and for whole hours
// "UTC+9" and "+9".
QStringList offsetForms(const QString& offset, const QString& utcText)
{
    QStringList forms{offset, QStringLiteral("utc") + offset, utcText + offset};
    QString shortForm = offset;
    if (shortForm.size() > 1 && shortForm.at(1) == QLatin1Char('0')) {
        shortForm.remove(1, 1);
    }
    if (shortForm.endsWith(QLatin1String(":00"))) {
        shortForm.chop(3);
    }
    forms << QStringLiteral("utc") + shortForm << utcText + shortForm << shortForm;
    return forms;
}

// City, country and offset side by side; a dot between them reads the same in every
// language, where a list pattern would add "and" in some.
QString suggestionText(const QStringList& parts)
{
    return parts.join(QStringLiteral(" \u00b7 "));
}

} // namespace

ZoneSearch::ZoneSearch(QComboBox* chooser, const QString& utcText)
    : QObject(chooser), chooser_(chooser), model_(new QStringListModel(this)),
      completer_(new QCompleter(model_, this))
{
    const CountryCodes countryCodes;
    zones_.reserve(chooser->count());
    for (int row = 0; row < chooser->count(); ++row) {
        // The row already holds the offset and the identifier: "(UTC+09:00) Asia/Tokyo".
        const QString text = chooser->itemText(row);
        const qsizetype close = text.indexOf(QLatin1Char(')'));
        const QString shownOffset = text.mid(1, close - 1);
        const QString offset = shownOffset.mid(utcText.size());
        const QString id = TimeZoneDialog::stripUTC(text);
        const QString code = countryCodes.findCountryCode(id).value_or(QString());
        const QString city = ZoneFacts::cityName(id);
        const QString country = ZoneFacts::countryName(code);
        QStringList shown{city};
        if (!country.isEmpty()) {
            shown << country;
        }
        shown << shownOffset;
        QStringList words{id, city, ZoneFacts::englishCityName(id), country,
                          ZoneFacts::englishCountryName(code)};
        words << offsetForms(offset, utcText);
        zones_.append({suggestionText(shown), normalize(words.join(u'\n'))});
    }

    chooser->setEditable(true);
    chooser->setInsertPolicy(QComboBox::NoInsert);
    // The combo box's own completer would match its rows by their start: "(UTC".
    chooser->setCompleter(nullptr);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(12);
    chooser->lineEdit()->setCompleter(completer_);
    connect(chooser->lineEdit(), &QLineEdit::textEdited, this, &ZoneSearch::filter);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                if (index.row() >= 0 && index.row() < shown_.size()) {
                    chooser_->setCurrentIndex(shown_.at(index.row()));
                }
            });
}

QString ZoneSearch::normalize(const QString& text)
{
    static const std::unique_ptr<icu::Transliterator> plain = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            "NFD; [:Nonspacing Mark:] Remove; NFC; Lower", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    QString folded = text;
    folded.replace(u'_', u' ');
    if (!plain) {
        return folded.toLower();
    }
    icu::UnicodeString icuText = utils::toIcu(folded);
    plain->transliterate(icuText);
    return utils::fromIcu(icuText);
}

QList<int> ZoneSearch::matches(const QString& typed) const
{
    const QString wanted = normalize(typed.trimmed());
    QList<int> rows;
    if (wanted.isEmpty()) {
        return rows;
    }
    for (int i = 0; i < zones_.size(); ++i) {
        if (zones_.at(i).key.contains(wanted)) {
            rows.append(i);
        }
    }
    return rows;
}

QStringList ZoneSearch::suggestions() const
{
    return model_->stringList();
}

void ZoneSearch::filter(const QString& typed)
{
    shown_ = matches(typed);
    QStringList texts;
    texts.reserve(shown_.size());
    for (const int row : shown_) {
        texts.append(zones_.at(row).suggestion);
    }
    model_->setStringList(texts);
    if (texts.isEmpty()) {
        completer_->popup()->hide();
    } else {
        completer_->complete();
    }
}

int ZoneSearch::chosenRow() const
{
    const QString text = chooser_->currentText();
    const int current = chooser_->currentIndex();
    if (current >= 0 && chooser_->itemText(current) == text) {
        return current;
    }
    const QList<int> rows = matches(text);
    return rows.size() == 1 ? rows.front() : -1;
}

} // namespace vantor
