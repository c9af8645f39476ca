#pragma once
// The pictures of the zero button, which is also the reference indicator:
// the green 0 when idle, lit when a reference mark was found or passed, and
// greyed while the box is not connected; and the artwork of the status
// display's lamps and box picture.

#include "app/ReferenceIndicator.h"
#include "display/StatusDisplay.h"
#include "ui/Artwork.h"

#include <QIcon>

class QPushButton;

QIcon referenceIndicatorIcon(ReferenceIndicator::Image image);

Art lampArt(Lamp lamp);
Art boxArt(BoxPicture picture);

// Sets a button's picture unless it shows that one already (the refresh runs
// with every no-data notice).
void setButtonArt(QPushButton* button, Art art);
