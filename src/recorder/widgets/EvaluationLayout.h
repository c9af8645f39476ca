#pragma once
// Where the evaluation window puts its buttons and the results block.

#include <QRect>
#include <QSize>

#include <array>

// The buttons of the bottom row, right to left: Close window, Print, Clear,
// then the additions Open File, Save as PDF and Stop.
constexpr int kButtonRowCount = 6;

// The row placed from the window's size, as the window has always done it: the
// close button's right edge 3 % of the window width left of the client's right
// edge and its bottom edge 1 % of the window height above the client's bottom
// (the window kept at the top left of the screen, where these are the original
// screen-position rules); each further button left of the one before, one
// hundredth of the window width apart. `window` is the size with the frame,
// `sizes` the buttons' own sizes, right to left. Client coordinates.
std::array<QRect, kButtonRowCount> buttonRow(QSize client, QSize window,
                                             const std::array<QSize, kButtonRowCount>& sizes);

// The part of the client area the plots are drawn in: all of it, or, with a
// results block, all but a band of `resultsHeight` at the bottom.
QRect plotArea(QSize client, int resultsHeight);

// The results block: under the plots, from the plots' left edge across the
// window, its lines ending a gap above the button row (whose top is
// `buttonsTop`), so that no button hides the end of a line.
QRect resultsArea(QSize client, int resultsHeight, int left, int buttonsTop);
