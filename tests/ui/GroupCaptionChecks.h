#pragma once
// Checks of the group box captions of a window built from a template: each
// caption stands in its group's top frame line, is not cut by the frame, and
// no other control of the window covers it.

#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <string>
#include <vector>

struct GroupBoxParts {
    QRect frame;   // in the window's coordinates
    QRect caption; // empty for a group without caption
};

inline GroupBoxParts groupBoxParts(const QGroupBox& group, const QWidget& window) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!group.title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    const QPoint offset = group.mapTo(&window, QPoint(0, 0));
    QStyle* style = group.style();
    GroupBoxParts parts;
    parts.frame =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &group)
            .translated(offset);
    if (!group.title().isEmpty())
        parts.caption =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group)
                .translated(offset);
    return parts;
}

// One line per fault found in the window's visible group boxes; empty when all
// is well.
inline std::vector<std::string> groupCaptionFaults(QWidget& window) {
    window.ensurePolished(); // the style's rules reach a widget when it is polished
    std::vector<std::string> faults;
    const auto groups = window.findChildren<QGroupBox*>();
    for (const QGroupBox* group : groups) {
        if (!group->isVisibleTo(&window) || group->title().isEmpty())
            continue;
        const std::string name =
            group->objectName().toStdString() + " \"" + group->title().toStdString() + "\"";
        const GroupBoxParts parts = groupBoxParts(*group, window);
        const QRect& caption = parts.caption;
        if (!(caption.top() < parts.frame.top() && parts.frame.top() < caption.bottom()))
            faults.push_back(name + ": caption not in the frame's top line");
        if (caption.left() <= parts.frame.left() || caption.right() >= parts.frame.right())
            faults.push_back(name + ": caption wider than its frame");
        if (caption.width() < group->fontMetrics().horizontalAdvance(group->title()))
            faults.push_back(name + ": caption cut short");
        for (const QWidget* other : window.findChildren<QWidget*>()) {
            if (other == group || group->isAncestorOf(other) || other->isAncestorOf(group) ||
                qobject_cast<const QGroupBox*>(other) != nullptr || !other->isVisibleTo(&window))
                continue;
            const QRect place(other->mapTo(&window, QPoint(0, 0)), other->size());
            if (place.intersects(caption))
                faults.push_back(name + ": caption covered by " +
                                 other->objectName().toStdString());
        }
    }
    return faults;
}
