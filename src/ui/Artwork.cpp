#include "ui/Artwork.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <memory>

// The resources live in a static library; referencing their initialiser keeps
// the linker from dropping them. Must stand outside any namespace.
static void initArtResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr std::array<const char*, kArtCount> kNames = {
    "orvatix",
    "lamp_green",
    "lamp_yellow",
    "lamp_red",
    "lamp_grey",
    "box_wait",
    "box_adc",
    "box_sensor",
    "box_hardware",
    "box_dac",
    "box_learn",
    "box_learn_ref",
    "box_learn_noref",
    "box_restart",
    "box_signal_ref",
    "box_signal_noref",
    "box_nodata_a",
    "box_nodata_b",
    "direction_plus",
    "direction_minus",
    "zero_point",
    "record_off",
    "record_on",
    "noise_idle",
    "noise_green",
    "noise_yellow",
    "noise_red",
    "close_cross",
    "start_picture",
    "wizard_ye_ok",
    "wizard_ye_closer_dark",
    "wizard_ye_closer_bright",
    "wizard_ye_away_dark",
    "wizard_ye_away_bright",
    "wizard_wh_ok",
    "wizard_wh_closer_dark",
    "wizard_wh_closer_bright",
    "wizard_wh_away_dark",
    "wizard_wh_away_bright",
    "wizard_rotate_dark",
    "wizard_rotate_bright",
    "wizard_rotate_done",
};

QSvgRenderer& renderer(Art art) {
    // One renderer per picture, made on first use on the user-interface thread.
    static std::array<std::unique_ptr<QSvgRenderer>, kArtCount> renderers;
    static bool initialised = false;
    if (!initialised) {
        initArtResources();
        initialised = true;
    }
    auto& slot = renderers[static_cast<size_t>(art)];
    if (!slot) {
        slot = std::make_unique<QSvgRenderer>(artPath(art));
    }
    return *slot;
}

} // namespace

QString artName(Art art) {
    return QString::fromLatin1(kNames[static_cast<size_t>(art)]);
}

QString artPath(Art art) {
    return QStringLiteral(":/art/%1.svg").arg(artName(art));
}

QSize artSize(Art art) {
    return renderer(art).defaultSize();
}

void drawArt(QPainter& painter, Art art, const QRectF& target) {
    renderer(art).render(&painter, target);
}

QPixmap artPixmap(Art art, QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawArt(painter, art, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon artIcon(Art art) {
    QIcon icon;
    for (int side : {16, 20, 24, 32, 48, 64}) {
        icon.addPixmap(artPixmap(art, QSize(side, side)));
    }
    return icon;
}
