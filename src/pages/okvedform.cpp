#include "pages/okvedform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QXmlStreamReader>

#include "widgets/controlnames.h"
#include "widgets/dialogs.h"

namespace zorv {

namespace {

const QString kNone = QStringLiteral("нет");

// A choice shorter than this key is a section or a class, too coarse a code.
constexpr int kShortestKey = 4;

const char* const kLevelNames[TFormOKVED::kLevels] = {"Раздел", "Класс",     "Подкласс",
                                                      "Группа", "Подгруппа", "Вид"};

// An item shows the entry's name with its code; the long names are read in full
// in the item's hint.
void AddEntry(QComboBox* list, const TOkvedEntry& entry, int index) {
    list->addItem(entry.name, index);
    list->setItemData(list->count() - 1, entry.code + QStringLiteral("  ") + entry.name,
                      Qt::ToolTipRole);
}

}  // namespace

TOkvedTable TOkvedTable::Parse(const QString& xml) {
    TOkvedTable table;
    if (xml.isEmpty()) return table;
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement()) return table;
    while (reader.readNextStartElement()) {
        const QXmlStreamAttributes a = reader.attributes();
        TOkvedEntry entry;
        entry.level = a.value(QLatin1String("GRUP")).toInt();
        entry.key = a.value(QLatin1String("Kod")).toString().trimmed();
        entry.code = a.value(QLatin1String("OKVED")).toString().trimmed();
        entry.name = a.value(QLatin1String("Name")).toString().trimmed();
        if (entry.level >= 1 && entry.level <= TFormOKVED::kLevels && !entry.key.isEmpty())
            table.entries_.push_back(std::move(entry));
        reader.skipCurrentElement();
    }
    if (reader.hasError()) table.entries_.clear();
    return table;
}

TFormOKVED::TFormOKVED(QWidget* parent, const TOkvedTable& table) : QDialog(parent), table_(table) {
    setObjectName(QStringLiteral("TFormOKVED"));
    setWindowTitle(QStringLiteral("Код по ОКВЭД"));
    auto* grid = new QGridLayout;
    for (int level = 1; level <= kLevels; ++level) {
        const QString name = QStringLiteral("ComboBox%1").arg(level);
        auto* list = new QComboBox(this);
        list->setObjectName(name);
        list->setAccessibleName(QString::fromUtf8(kLevelNames[level - 1]));
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(60);
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        list->addItem(kNone, -1);
        auto* label = new QLabel(QString::fromUtf8(kLevelNames[level - 1]), this);
        label->setBuddy(list);
        grid->addWidget(label, level - 1, 0);
        grid->addWidget(list, level - 1, 1);
        lists_[size_t(level - 1)] = list;
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, level](int item) { OnList(level, item); });
    }
    grid->setColumnStretch(1, 1);
    const std::vector<TOkvedEntry>& entries = table_.Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].level == 1) AddEntry(lists_[0], entries[i], int(i));

    edOKV = Named(new QLineEdit(kNone, this), "edOKV", QStringLiteral("Код по ОКВЭД"));
    edOKV->setReadOnly(true);
    edOKV->setMaximumWidth(edOKV->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                           16);
    auto* codeLabel = new QLabel(QStringLiteral("Код"), this);
    codeLabel->setBuddy(edOKV);
    grid->addWidget(codeLabel, kLevels, 0);
    grid->addWidget(edOKV, kLevels, 1);

    bnYes = Named(new QPushButton(QStringLiteral("Да"), this), "bnYes");
    bnCansel = Named(new QPushButton(QStringLiteral("Нет"), this), "bnCansel");
    bnYes->setDefault(true);
    connect(bnYes, &QPushButton::clicked, this, &TFormOKVED::accept);
    connect(bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnYes);
    buttons->addWidget(bnCansel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(900, 300);
}

QString TFormOKVED::Code() const {
    return edOKV->text();
}

void TFormOKVED::ResetAfter(int level) {
    for (int j = level + 1; j <= kLevels; ++j) {
        QComboBox* list = List(j);
        const QSignalBlocker block(list);
        list->clear();
        list->addItem(kNone, -1);
    }
}

void TFormOKVED::OnList(int level, int item) {
    const int entry = List(level)->itemData(item).toInt();
    if (entry < 0) {
        // "нет": the deeper lists empty, the code shown stays.
        if (List(level)->count() > 1) ResetAfter(level);
        return;
    }
    const TOkvedEntry& chosen = table_.Entries()[size_t(entry)];
    chosen_ = entry;
    edOKV->setText(chosen.code);
    ResetAfter(level);
    const std::vector<TOkvedEntry>& entries = table_.Entries();
    for (int j = level + 1; j <= kLevels; ++j) {
        QComboBox* list = List(j);
        const QSignalBlocker block(list);
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].level == j && entries[i].key.startsWith(chosen.key))
                AddEntry(list, entries[i], int(i));
    }
}

void TFormOKVED::accept() {
    const bool deepEnough =
        chosen_ >= 0 && table_.Entries()[size_t(chosen_)].key.size() >= kShortestKey;
    if (!deepEnough) {
        const TCheckRequest request{
            QStringLiteral("ОКВЭД"),
            QStringLiteral("Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку"), true,
            false};
        if (Dialogs().Check(this, request) == TCheckAnswer::Correct) return;
        // Skipped: a coarse code is taken as chosen; without any choice there
        // is no code to take.
        if (chosen_ < 0) {
            reject();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace zorv
