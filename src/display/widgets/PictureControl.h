#pragma once
// A picture of the program's artwork drawn to the size of its control: the
// lamps and the box picture of the "System state" group. A left click is
// reported so the status display can show the lamp's details.

#include "ui/Artwork.h"

#include <QWidget>

class PictureControl : public QWidget {
    Q_OBJECT
public:
    explicit PictureControl(Art art, QWidget* parent = nullptr);

    Art art() const { return art_; }
    // Repaints only when the picture changes.
    void setArt(Art art);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Art art_;
};
