#include "widgets/lookups.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/documentkinds.h"
#include "widgets/dialogs.h"

namespace zorv {

namespace {

// Enter in the list confirms the choice. Typing goes to the entry whose code
// (or else name) begins with what was typed: "77" finds 77, not the second
// entry that begins with 7 as the list's own search would.
class TLookupList : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

    void keyboardSearch(const QString& search) override {
        if (search.isEmpty()) {
            typed_.clear();
            return;
        }
        if (!typing_.isValid() || typing_.restart() > QApplication::keyboardInputInterval())
            typed_.clear();
        if (!typing_.isValid()) typing_.start();
        typed_ += search;
        QTreeWidgetItem* found = Find(typed_);
        if (!found && typed_ != search) {
            // What was typed before leads nowhere: start again with this key.
            typed_ = search;
            found = Find(typed_);
        }
        if (!found) return;
        setCurrentItem(found);
        scrollToItem(found);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
            if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->accept();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }

  private:
    QTreeWidgetItem* Find(const QString& prefix) const {
        for (int column : {0, 1})
            for (int i = 0; i < topLevelItemCount(); ++i)
                if (!topLevelItem(i)->isHidden() &&
                    topLevelItem(i)->text(column).startsWith(prefix, Qt::CaseInsensitive))
                    return topLevelItem(i);
        return nullptr;
    }

    QString typed_;
    QElapsedTimer typing_;
};

// Whether the filter text begins the code, or begins a word of the name.
bool MatchesFilter(const QTreeWidgetItem& item, const QString& filter) {
    if (filter.isEmpty() || item.text(0).startsWith(filter, Qt::CaseInsensitive)) return true;
    const QString name = item.text(1);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const bool wordStart = i == 0 || !name[i - 1].isLetterOrNumber();
        if (wordStart && QStringView(name).mid(i).startsWith(filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

}  // namespace

TfmLookup::TfmLookup(QWidget* parent, const QString& title, const std::vector<TCodeName>& entries)
    : QDialog(parent) {
    setWindowTitle(title);
    list_ = new TLookupList(this);
    list_->setObjectName(QStringLiteral("lvList"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    QList<QTreeWidgetItem*> items;
    items.reserve(int(entries.size()));
    for (const TCodeName& e : entries) items.append(new QTreeWidgetItem({e.code, e.name}));
    list_->addTopLevelItems(items);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    edFilter_ = new QLineEdit(this);
    edFilter_->setObjectName(QStringLiteral("edFilter"));
    edFilter_->setClearButtonEnabled(true);
    edFilter_->setPlaceholderText(QStringLiteral("код или слово названия"));
    auto* filterLabel = new QLabel(QStringLiteral("&Найти:"), this);
    filterLabel->setBuddy(edFilter_);
    edFilter_->setAccessibleName(QStringLiteral("Найти"));
    connect(edFilter_, &QLineEdit::textChanged, this, &TfmLookup::ApplyFilter);
    // The arrows in the filter box move through the list it narrows.
    edFilter_->installEventFilter(this);
    list_->setAccessibleName(title);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(edFilter_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

void TfmLookup::ApplyFilter(const QString& text) {
    const QString filter = text.trimmed();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        item->setHidden(!MatchesFilter(*item, filter));
        if (!first && !item->isHidden()) first = item;
    }
    QTreeWidgetItem* current = list_->currentItem();
    if (current && !current->isHidden() && current->isSelected()) {
        list_->scrollToItem(current);
    } else if (first) {
        list_->setCurrentItem(first);
        list_->scrollToItem(first);
    } else {
        list_->setCurrentItem(nullptr);
        list_->clearSelection();
    }
}

bool TfmLookup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edFilter_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QApplication::sendEvent(list_, event);
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TfmLookup::Select(const QString& code) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->text(0) == code) {
            list_->setCurrentItem(item);
            list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
            list_->setFocus();
            return true;
        }
    }
    list_->setCurrentItem(nullptr);
    list_->clearSelection();
    return false;
}

QString TfmLookup::Code() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item && item->isSelected() && !item->isHidden() ? item->text(0) : QString();
}

QString TfmLookup::Name() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item && item->isSelected() && !item->isHidden() ? item->text(1) : QString();
}

int TfmLookup::Count() const {
    return list_->topLevelItemCount();
}

const std::vector<TCodeName>& DocumentKinds() {
    static const std::vector<TCodeName> kinds = [] {
        std::vector<TCodeName> list;
        for (const DocumentKind& kind : kDocumentKinds) {
            list.push_back(
                {QString::fromUtf8(kind.code.data(), static_cast<qsizetype>(kind.code.size())),
                 QString::fromUtf8(kind.name.data(), static_cast<qsizetype>(kind.name.size()))});
        }
        return list;
    }();
    return kinds;
}

const std::vector<TCodeName>& Regions() {
    static const std::vector<TCodeName> regions = {
        {"01", "Республика Адыгея (Адыгея)"},
        {"02", "Республика Башкортостан"},
        {"03", "Республика Бурятия"},
        {"04", "Республика Алтай"},
        {"05", "Республика Дагестан"},
        {"06", "Республика Ингушетия"},
        {"07", "Кабардино-Балкарская Республика"},
        {"08", "Республика Калмыкия"},
        {"09", "Карачаево-Черкесская Республика"},
        {"10", "Республика Карелия"},
        {"11", "Республика Коми"},
        {"12", "Республика Марий Эл"},
        {"13", "Республика Мордовия"},
        {"14", "Республика Саха (Якутия)"},
        {"15", "Республика Северная Осетия - Алания"},
        {"16", "Республика Татарстан (Татарстан)"},
        {"17", "Республика Тыва"},
        {"18", "Удмуртская Республика"},
        {"19", "Республика Хакасия"},
        {"20", "Чеченская Республика"},
        {"21", "Чувашская Республика - Чувашия"},
        {"22", "Алтайский край"},
        {"23", "Краснодарский край"},
        {"24", "Красноярский край"},
        {"25", "Приморский край"},
        {"26", "Ставропольский край"},
        {"27", "Хабаровский край"},
        {"28", "Амурская область"},
        {"29", "Архангельская область"},
        {"30", "Астраханская область"},
        {"31", "Белгородская область"},
        {"32", "Брянская область"},
        {"33", "Владимирская область"},
        {"34", "Волгоградская область"},
        {"35", "Вологодская область"},
        {"36", "Воронежская область"},
        {"37", "Ивановская область"},
        {"38", "Иркутская область"},
        {"39", "Калининградская область"},
        {"40", "Калужская область"},
        {"41", "Камчатский край"},
        {"42", "Кемеровская область"},
        {"43", "Кировская область"},
        {"44", "Костромская область"},
        {"45", "Курганская область"},
        {"46", "Курская область"},
        {"47", "Ленинградская область"},
        {"48", "Липецкая область"},
        {"49", "Магаданская область"},
        {"50", "Московская область"},
        {"51", "Мурманская область"},
        {"52", "Нижегородская область"},
        {"53", "Новгородская область"},
        {"54", "Новосибирская область"},
        {"55", "Омская область"},
        {"56", "Оренбургская область"},
        {"57", "Орловская область"},
        {"58", "Пензенская область"},
        {"59", "Пермский край"},
        {"60", "Псковская область"},
        {"61", "Ростовская область"},
        {"62", "Рязанская область"},
        {"63", "Самарская область"},
        {"64", "Саратовская область"},
        {"65", "Сахалинская область"},
        {"66", "Свердловская область"},
        {"67", "Смоленская область"},
        {"68", "Тамбовская область"},
        {"69", "Тверская область"},
        {"70", "Томская область"},
        {"71", "Тульская область"},
        {"72", "Тюменская область"},
        {"73", "Ульяновская область"},
        {"74", "Челябинская область"},
        {"75", "Забайкальский край"},
        {"76", "Ярославская область"},
        {"77", "г. Москва"},
        {"78", "г. Санкт - Петербург"},
        {"79", "Еврейская автономная область"},
        {"83", "Ненецкий автономный округ"},
        {"86", "Ханты-Мансийский автономный округ - Югра"},
        {"87", "Чукотский автономный округ"},
        {"89", "Ямало-Ненецкий автономный округ"},
        {"99", "иные территории, включая город и космодром Байконур"},
    };
    return regions;
}

TfmDocType::TfmDocType(QWidget* parent)
    : TfmLookup(parent, QStringLiteral("Вид документа, удостоверяющего личность"),
                DocumentKinds()) {
    setObjectName(QStringLiteral("fmDocType"));
}

TfmRegionName::TfmRegionName(QWidget* parent)
    : TfmLookup(parent, QStringLiteral("Регион"), Regions()) {
    setObjectName(QStringLiteral("fmRegionName"));
}

TfmGrazhd::TfmGrazhd(QWidget* parent, const std::vector<TCodeName>& countries)
    : TfmLookup(parent, QStringLiteral("Страна"), countries) {
    setObjectName(QStringLiteral("fmGrazhd"));
}

TfmInputInspectionNumber::TfmInputInspectionNumber(QWidget* parent,
                                                   const std::vector<TCodeName>& inspections)
    : TfmLookup(parent, QStringLiteral("Налоговая инспекция"), inspections) {
    setObjectName(QStringLiteral("fmInputInspectionNumber"));
}

bool PickFromLookup(TfmLookup& lookup, const QString& current, TCodeName& chosen) {
    lookup.Select(current);
    if (!Dialogs().Run(lookup)) return false;
    if (lookup.Code().isEmpty()) return false;
    chosen = {lookup.Code(), lookup.Name()};
    return true;
}

}  // namespace zorv
