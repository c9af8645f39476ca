// Dialog units, template placement and the artwork every window draws.

#include "ui/Artwork.h"
#include "ui/DialogUnits.h"

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(DialogUnits, ConvertByQuarterCharacterWidthAndEighthCharacterHeight) {
    const DialogUnits units(6, 13);
    struct Case {
        int in;
        int x;
        int y;
    };
    // x = in * 6 / 4 and y = in * 13 / 8, rounded half away from zero.
    for (const Case& c :
         {Case{0, 0, 0}, Case{1, 2, 2}, Case{3, 5, 5}, Case{4, 6, 7}, Case{8, 12, 13},
          Case{15, 23, 24}, Case{244, 366, 397}, Case{-1, -2, -2}, Case{-3, -5, -5}}) {
        EXPECT_EQ(units.x(c.in), c.x) << c.in;
        EXPECT_EQ(units.y(c.in), c.y) << c.in;
    }
}

TEST(DialogUnits, RectanglesConvertTheirEdgesSoNeighboursMeet) {
    const DialogUnits units(7, 15);
    const QRect left = units.rect(3, 5, 3, 7);
    const QRect right = units.rect(6, 5, 3, 7);
    EXPECT_EQ(left.left(), units.x(3));
    EXPECT_EQ(left.top(), units.y(5));
    EXPECT_EQ(left.x() + left.width(), right.x());
    EXPECT_EQ(left.y() + left.height(), units.y(12));
    EXPECT_EQ(units.size(244, 146), QSize(427, 274));
}

TEST(DialogUnits, BaseUnitsComeFromTheFont) {
    QFont font = dialogFont();
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(units.baseY(), metrics.height());
    const int extent = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(units.baseX(), (extent / 26 + 1) / 2);
    EXPECT_GT(units.baseX(), 0);

    font.setPointSizeF(font.pointSizeF() * 2);
    const DialogUnits larger(font);
    EXPECT_GT(larger.baseX(), units.baseX());
    EXPECT_GT(larger.baseY(), units.baseY());
}

TEST(DialogTemplate, PlacesControlsWithTheirIdsAndFixesTheWindowSize) {
    QDialog dialog;
    DialogTemplate t(&dialog, 200, 100);
    const DialogUnits& u = t.units();
    EXPECT_EQ(dialog.size(), u.size(200, 100));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());

    auto* ok = t.place(1, 10, 20, 50, 14, new QPushButton(QStringLiteral("OK")));
    auto* caption = t.place(kNoId, 10, 40, 50, 8, new QLabel(QStringLiteral("x")));
    auto* list = t.place(1041, 70, 20, 80, 65, new QComboBox);
    EXPECT_EQ(ok->parent(), &dialog);
    EXPECT_EQ(ok->objectName(), QStringLiteral("1"));
    EXPECT_EQ(ok->geometry(), u.rect(10, 20, 50, 14));
    EXPECT_TRUE(caption->objectName().isEmpty());
    EXPECT_EQ(t.control(1041), list);
    EXPECT_EQ(t.control(1), ok);
    EXPECT_EQ(t.control(99), nullptr);
    // A drop-down list keeps its closed height; 65 units is its opened extent.
    EXPECT_EQ(list->geometry().topLeft(), u.rect(70, 20, 80, 65).topLeft());
    EXPECT_EQ(list->height(), list->sizeHint().height());
    EXPECT_LT(list->height(), u.y(65));
}

TEST(Artwork, EveryPictureIsThereAndDraws) {
    for (int i = 0; i < kArtCount; ++i) {
        const Art art = static_cast<Art>(i);
        const QSize own = artSize(art);
        EXPECT_FALSE(own.isEmpty()) << artName(art).toStdString();
        const QImage image = artPixmap(art, QSize(32, 32)).toImage();
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y) {
            for (int x = 0; x < image.width() && !painted; ++x) {
                painted = qAlpha(image.pixel(x, y)) > 0;
            }
        }
        EXPECT_TRUE(painted) << artName(art).toStdString();
    }
    EXPECT_EQ(artSize(Art::LampGreen), QSize(32, 32));
    EXPECT_EQ(artSize(Art::BoxWait), QSize(48, 48));
    EXPECT_EQ(artSize(Art::StartPicture), QSize(375, 362));
    EXPECT_FALSE(artIcon(Art::ProgramIcon).isNull());
}
