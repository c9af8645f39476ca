#pragma once
// The pictures of the zero button, which is also the reference indicator:
// the green 0 when idle, lit when a reference mark was found or passed, and
// greyed while the box is not connected.

#include "app/ReferenceIndicator.h"

#include <QIcon>

QIcon referenceIndicatorIcon(ReferenceIndicator::Image image);
