#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zorv {

// The exchange-rate reference: per currency its numeric code, name and the
// number of units a rate is quoted for, and its official rates by date in
// ascending order ("Rate" is rubles per that many units, with a comma).
struct TCurrencyEntry {
    QString code;
    QString name;
    uint32_t quantity = 1;
    struct Rate {
        QDate date;
        QString text;  // as the file writes it: "24,3724"
    };
    std::vector<Rate> rates;
};

// The rate in force on a date.
struct TRateFound {
    QDate date;      // the date of the entry taken
    QString rate;    // "24,3724"
    uint32_t units;  // the currency's quantity
};

class TRateTable {
  public:
    // The currencies of the file's text; an empty table (with the reason in
    // `error`) when the text is empty or not a rate file.
    static TRateTable Parse(const QString& xml, QString* error = nullptr);

    bool Loaded() const { return !currencies_.empty(); }
    const std::vector<TCurrencyEntry>& Currencies() const { return currencies_; }
    // The first currency of the code; none for an empty code.
    const TCurrencyEntry* Find(const QString& code) const;
    // The entry of the day itself, else the last entry before it in file
    // order; none when every entry is dated on or after the day, when the day
    // lies more than two weeks after the currency's last entry (beyond the
    // file), or when the currency is not in the file.
    std::optional<TRateFound> Lookup(const QString& code, const QDate& day) const;

  private:
    std::vector<TCurrencyEntry> currencies_;
};

}  // namespace zorv
