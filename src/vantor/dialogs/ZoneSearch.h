#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QCompleter;
class QStringListModel;

namespace vantor {

// Makes the Add chooser searchable. Typing filters the zones by any part of the
// identifier ("new_york" and "new york"), of the city or country name in the user's
// language or in English, or of the offset ("+05:30", "UTC+9"), blind to case and
// accents ("sao paulo" finds São Paulo). Each suggestion names city, country and offset in
// the user's language; picking one chooses that zone's row of the chooser.
class ZoneSearch : public QObject
{
    Q_OBJECT

public:
    // Searches the chooser's rows, "(UTC+09:00) Asia/Tokyo", as they stand.
    ZoneSearch(QComboBox* chooser, const QString& utcText);

    // Lower case, without accents, "_" as a blank.
    static QString normalize(const QString& text);
    // The chooser rows whose zone the text names, in chooser order.
    QList<int> matches(const QString& typed) const;
    // The suggestions shown for the text typed last.
    QStringList suggestions() const;
    // The row the chooser's text stands for: the row itself, or the one zone the typed
    // text matches; -1 when it names none or several.
    int chosenRow() const;

private:
    void filter(const QString& typed);

    struct Zone
    {
        QString suggestion;
        QString key;
    };
    QComboBox* chooser_;
    QList<Zone> zones_;
    QList<int> shown_;
    QStringListModel* model_;
    QCompleter* completer_;
};

} // namespace vantor
