#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QCompleter;
class QModelIndex;
class QStandardItemModel;

namespace vantor {

// Makes the Add chooser searchable. Typing filters the zones by any part of the
// identifier ("new_york" and "new york"), of the city or country name in the user's
// language or in English, or of the offset ("+05:30", "UTC+9"), blind to case and
// accents ("sao paulo" finds São Paulo). Zones with a name that begins with the text, or
// has a word that does ("york" in America/New_York), come first. Each suggestion names
// city, country and offset in the user's language and carries its zone's identifier;
// picking one (or moving onto it) chooses that zone's row of the chooser. The list of
// suggestions and its first row's description give their count ("3 suggestions"), which
// a screen reader speaks as the user moves onto the list.
class ZoneSearch : public QObject
{
    Q_OBJECT

public:
    // Item data of the chooser's entries (and of the Time Zones list's rows): the zone
    // identifier, which is what gets stored, and the offset text ("+09:00") searched.
    static constexpr int ZoneIdRole = Qt::UserRole;
    static constexpr int OffsetRole = Qt::UserRole + 1;

    // Searches the chooser's rows by their zone identifier and offset text. countPattern
    // names the suggestions by their number, an ICU message with a plural of {0}.
    ZoneSearch(QComboBox* chooser, const QString& utcText, const QString& countPattern);

    // Lower case, without accents, "_" as a blank.
    static QString normalize(const QString& text);
    // The chooser rows whose zone the text names: those with a name or word that begins
    // with it first, then the others, each in chooser order.
    QList<int> matches(const QString& typed) const;
    // The suggestions shown for the text typed last.
    QStringList suggestions() const;
    // The row the chooser's text stands for: the suggestion picked last while the field
    // shows it, else the current row while the field shows its text, else the zone whose
    // identifier the text is, else the one zone the text matches; -1 when it names none or
    // several.
    int chosenRow() const;

private:
    void filter(const QString& typed);
    void pick(const QModelIndex& suggestion);

    struct Zone
    {
        QString suggestion;
        // The names, then the offset forms, one a line.
        QString key;
        // Where the offset forms start in key.
        qsizetype namesLength;
        QString plainId;
    };
    QComboBox* chooser_;
    QList<Zone> zones_;
    // The chooser row of the suggestion the field shows; -1 once the user types or takes
    // a row of the chooser itself.
    int picked_ = -1;
    QStandardItemModel* model_;
    QCompleter* completer_;
    QString countPattern_;
    // The count the list of suggestions is named by, and that name; -1 before it first opens.
    qsizetype namedCount_ = -1;
    QString countText_;
};

} // namespace vantor
