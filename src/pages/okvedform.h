#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zorv {

// The economic-activity classification: entries in classifier order, each
// with its level (1 section ... 6 kind), its key (the key of every entry
// begins with the key of the entry it belongs to), its code and its name.
struct TOkvedEntry {
    int level = 0;
    QString key;
    QString code;
    QString name;
};

class TOkvedTable {
  public:
    // The entries of the file's text; empty when the text is empty or unreadable.
    static TOkvedTable Parse(const QString& xml);
    bool Loaded() const { return !entries_.empty(); }
    const std::vector<TOkvedEntry>& Entries() const { return entries_; }

  private:
    std::vector<TOkvedEntry> entries_;
};

// "Код по ОКВЭД": one drop-down list per level; choosing an entry fills the
// deeper lists with the entries under it and shows its code. Each item of a
// list carries its own entry, so entries of the same name stay apart.
class TFormOKVED : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kLevels = 6;

    TFormOKVED(QWidget* parent, const TOkvedTable& table);

    // The code shown: the chosen entry's, or "нет".
    QString Code() const;
    QComboBox* List(int level) const { return lists_[size_t(level - 1)]; }

    void accept() override;

  private:
    void OnList(int level, int item);
    void ResetAfter(int level);

    const TOkvedTable& table_;
    std::array<QComboBox*, kLevels> lists_{};
    QLineEdit* edOKV;
    QPushButton* bnYes;
    QPushButton* bnCansel;
    int chosen_ = -1;  // the entry chosen last
};

}  // namespace zorv
