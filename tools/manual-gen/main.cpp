// orvatix-manual-gen SOURCE.md OUTPUT.pdf: renders one user manual from its
// Markdown source to an A4 PDF. Pictures of the program are written in the
// source as ![text](art:NAME?SIZE): the artwork NAME, SIZE pixels high.

#include "ui/Artwork.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextTable>
#include <QUrl>

#include <cstdio>
#include <optional>

namespace {

std::optional<Art> artByName(const QString& name) {
    for (int i = 0; i < kArtCount; ++i) {
        if (artName(static_cast<Art>(i)) == name) {
            return static_cast<Art>(i);
        }
    }
    return std::nullopt;
}

// Replaces every art: picture by a sharp rendering at its stated height.
// Returns the number of unknown pictures.
int placeArtwork(QTextDocument& document) {
    int unknown = 0;
    QList<QPair<QTextCursor, QTextImageFormat>> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QUrl url(format.name());
            if (url.scheme() != QLatin1String("art")) {
                continue;
            }
            const std::optional<Art> art = artByName(url.path());
            if (!art) {
                std::fprintf(stderr, "orvatix-manual-gen: unknown picture %s\n",
                             qPrintable(url.path()));
                ++unknown;
                continue;
            }
            const int height = url.query().isEmpty() ? 24 : url.query().toInt();
            const QSize own = artSize(*art);
            const int width = own.height() > 0 ? height * own.width() / own.height() : height;
            // Rendered at four times the size printed, so that it stays sharp.
            document.addResource(QTextDocument::ImageResource, url,
                                 artPixmap(*art, QSize(width, height), 4.0).toImage());
            format.setWidth(width);
            format.setHeight(height);
            format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            images.append({cursor, format});
        }
    }
    for (auto& [cursor, format] : images) {
        cursor.setCharFormat(format);
    }
    return unknown;
}

// Tables drawn with thin grid lines and some room in the cells.
void styleTables(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        if (QTextTable* table = cursor.currentTable()) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(QColor(0x90, 0x90, 0x90));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellPadding(4);
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvatix-manual-gen SOURCE.md OUTPUT.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "orvatix-manual-gen: cannot read %s\n", qPrintable(sourcePath));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleTables(document);
    if (placeArtwork(document) != 0) {
        return 1;
    }

    // Written to a temporary name first, so that an interrupted run never
    // leaves a half-written manual for the build to take as finished.
    const QString partial = outputPath + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(document.begin().text());
        writer.setCreator(QStringLiteral("ORVATIX"));
        document.print(&writer);
    }
    QFile::remove(outputPath);
    if (QFileInfo(partial).size() == 0 || !QFile::rename(partial, outputPath)) {
        std::fprintf(stderr, "orvatix-manual-gen: cannot write %s\n", qPrintable(outputPath));
        QFile::remove(partial);
        return 1;
    }
    return 0;
}
