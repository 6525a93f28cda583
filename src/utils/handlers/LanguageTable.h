#pragma once

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace utils {

// A text key (or a whole base table) that the loaded chain does not provide. Every key the
// program reads lives in its family's base table, so this always points at a programming error.
class MissingResourceError : public std::runtime_error
{
public:
    MissingResourceError(const QString& message, const QString& baseName, const QString& key);

    const QString& baseName() const noexcept { return baseName_; }
    // Empty when the table itself could not be found or read.
    const QString& key() const noexcept { return key_; }

private:
    QString baseName_;
    QString key_;
};

// A table whose text cannot be decoded (bad \u escape, unpaired surrogate). Reported with the
// file and the line, so a broken translation fails loudly instead of showing garbage.
class PropertiesFormatError : public std::runtime_error
{
public:
    PropertiesFormatError(const QString& message, const QString& source, int line);

    const QString& source() const noexcept { return source_; }
    int line() const noexcept { return line_; }

private:
    QString source_;
    int line_;
};

// The key-to-text table of one locale: the most specific existing table of a family
// (Lang_L_C, then Lang_L) falling back key by key to the family's base table (Lang).
// The files are read once when loading; the chain is flattened so that a lookup is one
// hash probe. Copies are cheap (implicitly shared).
class LanguageTable
{
public:
    // An empty table: every lookup fails. Only useful as a placeholder before loading.
    LanguageTable() = default;

    // Loads from the packed resources. baseName is "com.quorvane.vantor.lang/Lang": the dots
    // become slashes, the last segment is the file stem, the rest a folder under ":/".
    static LanguageTable load(const QString& baseName, const QString& language,
                              const QString& country);
    static LanguageTable load(const QString& baseName, const QLocale& locale);

    // Loads the chain "<stem>[_L[_C]].properties" from any folder.
    static LanguageTable loadFromDirectory(const QString& directory, const QString& stem,
                                           const QString& language, const QString& country);
    static LanguageTable loadFromDirectory(const QString& directory, const QString& stem,
                                           const QLocale& locale);

    // Parses the text of one .properties file. sourceName only labels errors.
    // Throws PropertiesFormatError on a malformed escape.
    static QHash<QString, QString> parseProperties(const QByteArray& bytes,
                                                   const QString& sourceName = QString());

    // The language code as the file names spell it: lower case, "id" -> "in", "he" -> "iw".
    static QString fileLanguageCode(const QString& language);

    // Throws MissingResourceError when no table of the chain defines key.
    QString getString(const QString& key) const;
    bool contains(const QString& key) const { return texts_.contains(key); }
    // Every key defined anywhere in the chain, sorted.
    QStringList keys() const;

    // File names that formed the chain, most specific first, ending at the base table.
    const QStringList& chain() const noexcept { return chain_; }
    const QString& baseName() const noexcept { return baseName_; }

private:
    static LanguageTable loadChain(const QString& directory, const QString& stem,
                                   const QString& language, const QString& country,
                                   const QString& baseName);

    QString baseName_;
    QStringList chain_;
    QHash<QString, QString> texts_;
};

} // namespace utils
