#pragma once
// A control of a window by its id: DialogTemplate::place gives every control
// its id as objectName. A missing control fails the test.

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

template <typename W> W* control(QWidget* window, int id) {
    W* found = window->findChild<W*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}
