// orvatix-gallery OUTDIR: renders every registered window in the five
// languages to OUTDIR/<window>_<language>.png, plus one sheet of the artwork.
// Runs offscreen; the settings file is written to a scratch folder.

#include "Gallery.h"

#include "config/ConfigData.h"
#include "config/Texts.h"
#include "ui/Artwork.h"
#include "ui/DialogStyle.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

std::vector<GalleryShot>& galleryShots() {
    static std::vector<GalleryShot> shots;
    return shots;
}

namespace {

const char* const kLanguageCodes[kLanguageCount] = {"en", "de", "fr", "it", "es"};

// The window with a plain frame and title bar drawn around it: offscreen
// windows have no window manager, and the title is part of what is checked.
QImage framed(QWidget* window) {
    QPixmap client = window->grab();
    // At every pixel the screen has (QT_SCALE_FACTOR), not scaled back down.
    client.setDevicePixelRatio(1.0);
    const int border = 4;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int barHeight = QFontMetrics(titleFont).height() + 10;
    QImage image(client.width() + 2 * border, client.height() + barHeight + border,
                 QImage::Format_ARGB32);
    image.fill(QColor(0x3a, 0x5f, 0x9a));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int iconSide = barHeight - 8;
    window->windowIcon().paint(&painter, QRect(border + 2, 4, iconSide, iconSide));
    painter.setPen(Qt::white);
    painter.setFont(titleFont);
    const QRect titleArea(border + iconSide + 8, 0, client.width() - iconSide - 30, barHeight);
    painter.drawText(titleArea, Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(titleFont).elidedText(window->windowTitle(), Qt::ElideRight,
                                                        titleArea.width()));
    painter.drawText(QRect(image.width() - barHeight - border, 0, barHeight, barHeight),
                     Qt::AlignCenter, QStringLiteral("\u2715"));
    painter.drawPixmap(border, barHeight, client);
    return image;
}

// Every picture at its own size and at the size the windows use it.
QImage artworkSheet() {
    const int cell = 110;
    const int columns = 6;
    const int rows = (kArtCount + columns - 1) / columns;
    QImage image(columns * cell, rows * cell, QImage::Format_ARGB32);
    image.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = QApplication::font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (int i = 0; i < kArtCount; ++i) {
        const Art art = static_cast<Art>(i);
        const QRect area((i % columns) * cell, (i / columns) * cell, cell, cell);
        QSize own = artSize(art);
        if (own.width() > 96 || own.height() > 72) {
            own.scale(96, 72, Qt::KeepAspectRatio);
        }
        drawArt(painter, art, QRectF(area.x() + 4, area.y() + 4, own.width(), own.height()));
        // As small as the windows draw it: lamps 20 du, button icons ~24 px.
        const QSize small = own.scaled(24, 24, Qt::KeepAspectRatio);
        drawArt(
            painter, art,
            QRectF(area.right() - small.width() - 4, area.y() + 4, small.width(), small.height()));
        painter.setPen(Qt::black);
        painter.drawText(area.adjusted(2, 0, -2, -4), Qt::AlignBottom | Qt::AlignHCenter,
                         artName(art));
    }
    return image;
}

QWidget* topOwner(QWidget* window) {
    QWidget* owner = window;
    while (owner->parentWidget() != nullptr) {
        owner = owner->parentWidget();
    }
    return owner;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || QString::fromLocal8Bit(argv[1]).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: orvatix-gallery OUTDIR\n"
                             "Renders the program's windows in all five languages to PNG.\n");
        return argc == 2 ? 0 : 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    applyDialogStyle(app);
    const QString outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "orvatix-gallery: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    // The setup dialog reads and writes ORVAdata.cfg in the working directory:
    // keep the user's own file out of it.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) {
        std::fprintf(stderr, "orvatix-gallery: no scratch folder\n");
        return 1;
    }

    int written = 0;
    int failed = 0;
    auto save = [&](const QImage& image, const QString& name) {
        const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (image.save(path)) {
            ++written;
        } else {
            std::fprintf(stderr, "orvatix-gallery: cannot write %s\n", qPrintable(path));
            ++failed;
        }
    };
    save(artworkSheet(), QStringLiteral("artwork"));

    for (int language = 0; language < kLanguageCount; ++language) {
        setLanguage(language);
        loadQtTranslations(language);
        for (const GalleryShot& shot : galleryShots()) {
            QWidget* window = shot.make();
            if (window == nullptr) {
                continue;
            }
            window->show();
            QApplication::processEvents();
            save(framed(window),
                 shot.name + QLatin1Char('_') + QLatin1String(kLanguageCodes[language]));
            delete topOwner(window);
            QApplication::processEvents();
        }
    }
    std::printf("%d pictures in %s\n", written, qPrintable(outDir));
    return failed == 0 ? 0 : 1;
}
