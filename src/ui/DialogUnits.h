#pragma once
// Dialog units: every window of the program is laid out as a template in dialog
// units, the way the box's original setup tool was drawn. One horizontal unit is
// a quarter of the dialog font's average character width, one vertical unit an
// eighth of its character height, so the windows grow with the font.

#include <QFont>
#include <QRect>
#include <QSize>

class QDialog;
class QWidget;

// The font all dialogs are laid out with: "Arial" (Liberation Sans here) at 8 pt.
QFont dialogFont();

class DialogUnits {
public:
    // Base units from the font: the average width of the 52 letters A..Z a..z,
    // rounded as the original platform does, and the full character height.
    explicit DialogUnits(const QFont& font);
    // Base units given directly (pixels per 4 horizontal and 8 vertical units).
    DialogUnits(int baseX, int baseY);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int baseX_;
    int baseY_;
};

// Control id of a control that has none (a plain caption); it gets no objectName.
constexpr int kNoId = -1;

// A dialog built from a template: sets the dialog font, a fixed client size, and
// places each control at its template rectangle with its id as objectName.
class DialogTemplate {
public:
    DialogTemplate(QWidget* window, int widthUnits, int heightUnits);

    const DialogUnits& units() const { return units_; }
    QWidget* window() const { return window_; }

    // Places `control` (made a child of the window) at the template rectangle
    // and names it after `id`. A drop-down list keeps its closed height: its
    // template height is the extent of the opened list.
    template <typename W> W* place(int id, int x, int y, int width, int height, W* control) {
        placeWidget(id, x, y, width, height, control);
        return control;
    }

    // Finds a control by its id.
    QWidget* control(int id) const;

private:
    void placeWidget(int id, int x, int y, int width, int height, QWidget* control);

    QWidget* window_;
    DialogUnits units_;
};

// objectName used for a control id.
QString controlName(int id);
