#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;

namespace zorv {

// The picture of the start window and the about window, in the program's files
// folder.
inline constexpr const char* kSplashFile = "splash.jpg";

// The program's version as the about window shows it.
QString ProgramVersion();

// Decodes a JPEG file; a null image when the file is missing or is not a JPEG
// picture that can be read.
QImage DecodeJpeg(const QString& path);

// The start window: the picture alone, 400 x 300, without a border, in the
// middle of the screen. Without the picture it shows the program's name.
class TfmStart : public QWidget {
    Q_OBJECT
  public:
    explicit TfmStart(const QString& programFolder);
    // How long the window stays after the program is started.
    static constexpr int kShowMilliseconds = 3000;
};

// "О программе": the picture, the name and the version.
class TfmAbout : public QDialog {
    Q_OBJECT
  public:
    TfmAbout(QWidget* parent, const QString& programFolder);
    QLabel* lbVersion() const { return lbVersion_; }
    QLabel* lbPicture() const { return lbPicture_; }

  private:
    QLabel* lbVersion_ = nullptr;
    QLabel* lbPicture_ = nullptr;
};

}  // namespace zorv
