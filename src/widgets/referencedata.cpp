#include "widgets/referencedata.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include "widgets/shelltext.h"

namespace zorv {

namespace {

bool ReadFile(const QString& path, QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!file.exists()) {
        error = QStringLiteral("файл не найден");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    return true;
}

QString PositionText(const QXmlStreamReader& xml) {
    return QStringLiteral(" (строка %1)").arg(xml.lineNumber());
}

}  // namespace

bool ReadXmlText(const QString& path, QString& text, QString& error) {
    QByteArray bytes;
    QByteArray utf8;
    if (!ReadFile(path, bytes, error) || !XmlToUtf8(bytes, utf8, error)) return false;
    text = QString::fromUtf8(utf8);
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) {
        error = xml.errorString() + PositionText(xml);
        text.clear();
        return false;
    }
    return true;
}

bool ReadCodeList(const QString& path, std::vector<TCodeName>& list, QString& error) {
    list.clear();
    QString text;
    if (!ReadXmlText(path, text, error)) return false;
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement()) {
        error = QStringLiteral("нет корневого элемента");
        return false;
    }
    std::vector<TCodeName> entries;
    while (xml.readNextStartElement()) {
        TCodeName entry;
        entry.code = xml.attributes().value(QLatin1String("Code")).toString().trimmed();
        if (entry.code.isEmpty()) {
            error = QStringLiteral("у элемента нет атрибута Code") + PositionText(xml);
            return false;
        }
        entry.name = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        entries.push_back(std::move(entry));
    }
    if (xml.hasError()) {
        error = xml.errorString() + PositionText(xml);
        return false;
    }
    if (entries.empty()) {
        error = QStringLiteral("список пуст");
        return false;
    }
    list = std::move(entries);
    return true;
}

TReferenceData LoadReferenceData(const QString& folder) {
    TReferenceData data;
    const QDir dir(folder);
    auto report = [&](const char* name, const QString& error) {
        data.problems << QStringLiteral("%1: %2").arg(QString::fromLatin1(name), error);
    };
    QString error;
    if (!ReadCodeList(dir.filePath(QString::fromLatin1(kInspectionFile)), data.inspections, error))
        report(kInspectionFile, error);
    if (!ReadCodeList(dir.filePath(QString::fromLatin1(kCountryFile)), data.countries, error))
        report(kCountryFile, error);
    if (!ReadXmlText(dir.filePath(QString::fromLatin1(kActivityFile)), data.activityXml, error))
        report(kActivityFile, error);
    if (!ReadXmlText(dir.filePath(QString::fromLatin1(kRateFile)), data.rateXml, error))
        report(kRateFile, error);
    return data;
}

}  // namespace zorv
