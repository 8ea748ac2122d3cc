#include "shell/splash.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "model/programversion.h"

namespace zorv {

namespace {

struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Decodes into *out; false when libjpeg gave up. No C++ object lives in this
// frame, so the jump out of libjpeg skips nothing.
bool DecodeInto(const unsigned char* data, unsigned long size, QImage* out) {
    jpeg_decompress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    error.manager.output_message = IgnoreJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0 ||
        info.output_width > 8192 || info.output_height > 8192) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

QLabel* PictureLabel(QWidget* parent, const QString& programFolder, const QSize& size) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("imgPicture"));
    label->setFixedSize(size);
    label->setAlignment(Qt::AlignCenter);
    const QImage picture =
        DecodeJpeg(QDir(programFolder).filePath(QString::fromLatin1(kSplashFile)));
    if (picture.isNull()) {
        label->setText(QStringLiteral("<b style=\"font-size: 20pt\">Zorv 2008</b>"));
        label->setStyleSheet(QStringLiteral("background: #1f3a5a; color: white"));
    } else {
        label->setPixmap(QPixmap::fromImage(
            picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return label;
}

}  // namespace

QString ProgramVersion() {
    return QString::fromLatin1(kProgramVersion);
}

QImage DecodeJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return {};
    QImage image;
    if (!DecodeInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &image))
        return {};
    return image;
}

TfmStart::TfmStart(const QString& programFolder)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmStart"));
    setFixedSize(400, 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PictureLabel(this, programFolder, size()));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
}

TfmAbout::TfmAbout(QWidget* parent, const QString& programFolder) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    lbPicture_ = PictureLabel(this, programFolder, QSize(400, 300));
    lbVersion_ =
        new QLabel(QStringLiteral("<b>Zorv 2008</b>, версия %1<br/>"
                                  "Подготовка деклараций 3-НДФЛ и 4-НДФЛ о доходах физических лиц "
                                  "за 2008 год.")
                       .arg(ProgramVersion()),
                   this);
    lbVersion_->setObjectName(QStringLiteral("lbVersion"));
    lbVersion_->setWordWrap(true);
    lbVersion_->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbPicture_, 0, Qt::AlignHCenter);
    layout->addWidget(lbVersion_);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

}  // namespace zorv
