#pragma once
// The gallery renders windows offscreen to PNG, once per language, so that a
// change to a window can be looked at.
//
// Adding a window is one function anywhere in tools/gallery/*.cpp:
//
//     ORVATIX_GALLERY_SHOT(setup_dialog) {
//         return new CSetup(SetupRecords::globals());
//     }
//
// The function runs with the language already switched; it returns the window
// to photograph (shown by the gallery). The gallery deletes the window's
// top-level owner afterwards, so a window may be a child of a helper owner.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

struct GalleryShot {
    QString name;
    std::function<QWidget*()> make;
};

std::vector<GalleryShot>& galleryShots();

struct GalleryShotRegistration {
    GalleryShotRegistration(const char* name, QWidget* (*make)()) {
        galleryShots().push_back({QString::fromLatin1(name), make});
    }
};

#define ORVATIX_GALLERY_SHOT(name)                                                                 \
    static QWidget* gallery_shot_##name();                                                         \
    static const GalleryShotRegistration gallery_registration_##name(#name, gallery_shot_##name);  \
    static QWidget* gallery_shot_##name()
