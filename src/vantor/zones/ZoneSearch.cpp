#include "vantor/zones/ZoneSearch.h"

#include "utils/handlers/IcuText.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/zones/ZoneFacts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

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

// Whether the text has wanted at the start of one of its words within its first length
// characters: "tok" in "asia/tokyo", "york" in "america/new york".
bool beginsWord(const QString& text, qsizetype length, const QString& wanted)
{
    for (qsizetype at = text.indexOf(wanted); at >= 0 && at < length;
         at = text.indexOf(wanted, at + 1)) {
        if (at == 0 || !text.at(at - 1).isLetterOrNumber()) {
            return true;
        }
    }
    return false;
}

} // namespace

ZoneSearch::ZoneSearch(QComboBox* chooser, const QString& utcText, const QString& countPattern)
    : QObject(chooser), chooser_(chooser), model_(new QStandardItemModel(this)),
      completer_(new QCompleter(model_, this)), countPattern_(countPattern)
{
    const CountryCodes countryCodes;
    zones_.reserve(chooser->count());
    for (int row = 0; row < chooser->count(); ++row) {
        const QString id = chooser->itemData(row, ZoneIdRole).toString();
        const QString offset = chooser->itemData(row, OffsetRole).toString();
        const QString shownOffset = utcText + offset;
        const QString code = countryCodes.findCountryCode(id).value_or(QString());
        const QString city = ZoneFacts::cityName(id);
        const QString country = ZoneFacts::countryName(code);
        QStringList shown{city};
        if (!country.isEmpty()) {
            shown << country;
        }
        shown << shownOffset;
        const QString names = normalize(QStringList{id, city, ZoneFacts::englishCityName(id),
                                                    country, ZoneFacts::englishCountryName(code)}
                                            .join(u'\n'));
        const QString offsets = normalize(offsetForms(offset, utcText).join(u'\n'));
        zones_.append(
            {suggestionText(shown), names + u'\n' + offsets, names.size(), normalize(id)});
    }

    chooser->setEditable(true);
    chooser->setInsertPolicy(QComboBox::NoInsert);
    // The combo box's own completer would match its rows by their start: "(UTC".
    chooser->setCompleter(nullptr);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(12);
    chooser->lineEdit()->setCompleter(completer_);
    connect(chooser->lineEdit(), &QLineEdit::textEdited, this, &ZoneSearch::filter);
    connect(chooser, &QComboBox::currentIndexChanged, this, [this] { picked_ = -1; });
    // Moving onto a suggestion fills the field with it, so it is chosen as well: OK then
    // adds what the field shows. The chooser's current row stays: setting it would reset
    // the completer's place in its list.
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::highlighted), this,
            &ZoneSearch::pick);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &ZoneSearch::pick);
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
    QList<int> others;
    for (int i = 0; i < zones_.size(); ++i) {
        const Zone& zone = zones_.at(i);
        if (beginsWord(zone.key, zone.namesLength, wanted)) {
            rows.append(i);
        } else if (zone.key.contains(wanted)) {
            others.append(i);
        }
    }
    return rows + others;
}

QStringList ZoneSearch::suggestions() const
{
    QStringList texts;
    for (int row = 0; row < model_->rowCount(); ++row) {
        texts.append(model_->item(row)->text());
    }
    return texts;
}

void ZoneSearch::filter(const QString& typed)
{
    picked_ = -1;
    QList<QStandardItem*> items;
    for (const int row : matches(typed)) {
        auto* item = new QStandardItem(zones_.at(row).suggestion);
        item->setData(chooser_->itemData(row, ZoneIdRole), ZoneIdRole);
        items.append(item);
    }
    model_->clear();
    if (items.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    // Qt 6.4 has no announcement event. The list is named by the count; Orca does not
    // reach the list from its rows (a popup is no child of the application on the bus),
    // but speaks a row's description as the user moves onto it, so the first row says it.
    if (items.size() != namedCount_) {
        namedCount_ = items.size();
        countText_ = utils::TextFormat::message(countPattern_, qint64(namedCount_));
        completer_->popup()->setAccessibleName(countText_);
    }
    items.front()->setData(countText_, Qt::AccessibleDescriptionRole);
    // One insertion for all rows: the popup is laid out once, not once a row.
    model_->appendColumn(items);
    completer_->complete();
}

void ZoneSearch::pick(const QModelIndex& suggestion)
{
    // Moving off the list's top (an invalid index) brings back the typed text.
    picked_ =
        suggestion.isValid() ? chooser_->findData(suggestion.data(ZoneIdRole), ZoneIdRole) : -1;
}

int ZoneSearch::chosenRow() const
{
    if (picked_ >= 0) {
        return picked_;
    }
    const QString text = chooser_->currentText();
    const int current = chooser_->currentIndex();
    if (current >= 0 && text == chooser_->itemText(current)) {
        return current;
    }
    // "UTC" is a whole identifier, and also part of every zone's offset.
    const QString wanted = normalize(text.trimmed());
    for (int row = 0; row < zones_.size(); ++row) {
        if (zones_.at(row).plainId == wanted) {
            return row;
        }
    }
    const QList<int> rows = matches(text);
    return rows.size() == 1 ? rows.front() : -1;
}

} // namespace vantor
