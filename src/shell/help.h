#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace zorv {

// The user guide beside the program: its first page, relative to the program folder.
inline constexpr const char* kHelpFile = "help/index.html";

// The window of the user guide: its pages with links between them, "Назад"
// and "Содержание".
class TfmHelp : public QDialog {
    Q_OBJECT
  public:
    TfmHelp(QWidget* parent, const QString& indexPath);
    QTextBrowser* Browser() const { return browser_; }
    void ShowContents();

  private:
    QString indexPath_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace zorv
