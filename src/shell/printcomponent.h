#pragma once

#include <QByteArray>
#include <QString>

#include "shell/outputs.h"

class QTextDocument;

namespace zorv {

// The caption of an element or attribute of the declaration file; the name
// itself when there is none.
QString XmlCaption(const QString& name);

// The printable copy of a declaration file: a heading, the receiving
// inspection, then every element as a numbered section with a table of its
// values under their captions. The XML is read in the encoding it declares
// (windows-1251 or UTF-8). Raises TPrintError when it is not well formed.
QString DeclarationHtml(const QByteArray& xml, const QString& inspectionName);

// The program's printing component: it prints the declaration as that
// document, and previews it in a print preview window.
class TXmlPrintComponent : public TPrintComponent {
  public:
    void SetPrintTiffParam(const QString& name, const QString& value) override;
    void SetPrintTiffFolder(const QString& folder) override { folder_ = folder; }
    void PreviewData(const QByteArray& xml, QWidget* owner) override;
    void PrintData(const QByteArray& xml, QPrinter& printer) override;

    const QString& InspectionName() const { return inspectionName_; }

  private:
    QString inspectionName_;
    QString folder_;
};

}  // namespace zorv
