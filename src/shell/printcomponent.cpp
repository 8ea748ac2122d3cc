#include "shell/printcomponent.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <vector>

#include "shell/dialogs.h"
#include "shell/shelltext.h"

namespace zorv {

namespace {

struct TXmlNode {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    QString text;
    std::vector<TXmlNode> children;
};

// The XML as UTF-8 with a matching declaration: the declaration file is
// written in windows-1251.
QByteArray Utf8Xml(const QByteArray& xml) {
    QByteArray utf8;
    QString error;
    if (!XmlToUtf8(xml, utf8, error)) {
        throw TPrintError("Текст декларации не читается: " + error.toStdString() + ".");
    }
    return utf8;
}

TXmlNode ReadTree(const QByteArray& xml) {
    QXmlStreamReader reader(Utf8Xml(xml));
    std::vector<TXmlNode> stack;
    TXmlNode root;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::StartElement: {
                TXmlNode node;
                node.name = reader.name().toString();
                for (const QXmlStreamAttribute& a : reader.attributes())
                    node.attributes.emplace_back(a.name().toString(), a.value().toString());
                stack.push_back(std::move(node));
                break;
            }
            case QXmlStreamReader::Characters:
                if (!stack.empty() && !reader.isWhitespace())
                    stack.back().text += reader.text().toString().trimmed();
                break;
            case QXmlStreamReader::EndElement: {
                TXmlNode node = std::move(stack.back());
                stack.pop_back();
                if (stack.empty()) {
                    root = std::move(node);
                    haveRoot = true;
                } else {
                    stack.back().children.push_back(std::move(node));
                }
                break;
            }
            default:
                break;
        }
    }
    if (reader.hasError() || !haveRoot)
        throw TPrintError("Текст декларации поврежден: " +
                          (reader.hasError() ? reader.errorString().toStdString()
                                             : std::string("в нем нет ни одного элемента")) +
                          ".");
    return root;
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

void ValueTable(QString& html, const TXmlNode& node, int indent) {
    if (node.attributes.empty() && node.text.isEmpty()) return;
    html += QStringLiteral(
                "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\" "
                "style=\"border-collapse: collapse; border-color: #9aa5b1; margin-left: %1px\">")
                .arg(indent);
    for (const auto& [name, value] : node.attributes)
        html += QStringLiteral("<tr><td width=\"62%\">%1</td><td><b>%2</b></td></tr>")
                    .arg(Escaped(XmlCaption(name)), Escaped(value));
    if (!node.text.isEmpty())
        html += QStringLiteral("<tr><td width=\"62%\">Значение</td><td><b>%1</b></td></tr>")
                    .arg(Escaped(node.text));
    html += QStringLiteral("</table>");
}

void Sections(QString& html, const TXmlNode& parent, const QString& number, int depth);

// An element as a numbered section with its values, then its own elements.
void Section(QString& html, const TXmlNode& node, const QString& number, int depth,
             const QString& suffix) {
    const int level = std::min(depth + 2, 4);
    const int indent = 14 * (depth - 1);
    html += QStringLiteral("<h%1 style=\"margin-left: %2px; color: #1f3a5a\">%3 %4%5</h%1>")
                .arg(level)
                .arg(indent)
                .arg(number, Escaped(XmlCaption(node.name)), suffix);
    ValueTable(html, node, indent);
    Sections(html, node, number, depth + 1);
}

// The elements of parent numbered after its number; a repeated element (several
// payers, several objects) carries its running number after the caption.
void Sections(QString& html, const TXmlNode& parent, const QString& number, int depth) {
    QHash<QString, int> counts, seen;
    for (const TXmlNode& child : parent.children) ++counts[child.name];
    int index = 0;
    for (const TXmlNode& child : parent.children) {
        const QString suffix =
            counts[child.name] > 1 ? QStringLiteral(" № %1").arg(++seen[child.name]) : QString();
        Section(html, child, number + QString::number(++index) + QLatin1Char('.'), depth, suffix);
    }
}

// Prints the document; false when the printer could not take it.
bool PrintDocument(const QString& html, QPrinter& printer) {
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setHtml(html);
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error) return false;
    return printer.outputFileName().isEmpty() || QFileInfo::exists(printer.outputFileName());
}

}  // namespace
QString DeclarationHtml(const QByteArray& xml, const QString& inspectionName) {
    const TXmlNode root = ReadTree(xml);
    QString html = QStringLiteral(
        "<html><body>"
        "<h1 align=\"center\" style=\"color: #1f3a5a\">Налоговая декларация<br/>"
        "по налогу на доходы физических лиц</h1>");
    if (!inspectionName.isEmpty())
        html += QStringLiteral(
                    "<p align=\"center\">Наименование налогового органа-получателя: "
                    "<b>%1</b></p>")
                    .arg(Escaped(inspectionName));
    // The file and its one document are the heading; the sections under them
    // are numbered from 1.
    auto heading = [&html](const TXmlNode& node) {
        html += QStringLiteral("<h2 style=\"color: #1f3a5a\">%1</h2>")
                    .arg(Escaped(XmlCaption(node.name)));
        ValueTable(html, node, 0);
    };
    heading(root);
    const TXmlNode* top = &root;
    if (root.children.size() == 1) {
        top = &root.children.front();
        heading(*top);
    }
    Sections(html, *top, {}, 1);
    html += QStringLiteral("</body></html>");
    return html;
}

void TXmlPrintComponent::SetPrintTiffParam(const QString& name, const QString& value) {
    if (name == QStringLiteral("Наименование налогового органа-получателя"))
        inspectionName_ = value;
}

void TXmlPrintComponent::PreviewData(const QByteArray& xml, QWidget* owner) {
    const QString html = DeclarationHtml(xml, inspectionName_);
    QPrintPreviewDialog preview(owner);
    preview.setObjectName(QStringLiteral("fmPreview"));
    preview.setWindowTitle(QStringLiteral("Просмотр декларации - Zorv 2008"));
    preview.resize(900, 700);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&html](QPrinter* printer) { PrintDocument(html, *printer); });
    Dialogs().Run(preview);
}

void TXmlPrintComponent::PrintData(const QByteArray& xml, QPrinter& printer) {
    if (PrintDocument(DeclarationHtml(xml, inspectionName_), printer)) return;
    const QString target = printer.outputFileName().isEmpty()
                               ? QStringLiteral("на принтере «%1»").arg(printer.printerName())
                               : QStringLiteral("в файл %1").arg(printer.outputFileName());
    throw TPrintError(
        QStringLiteral("Не удалось напечатать декларацию %1.").arg(target).toStdString());
}

std::unique_ptr<TPrintComponent> CreatePrintComponent() {
    return std::make_unique<TXmlPrintComponent>();
}

}  // namespace zorv
