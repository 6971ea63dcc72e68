#pragma once

// Helpers shared by the widget tests.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace Orlenda {

// The named child; a missing one fails the test.
template <typename T = QWidget> T* namedChild(const QObject& parent, const QString& name) {
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Check boxes and option buttons react on their indicator only (and on the
// caption's text, whose width depends on the installed font).
inline void clickIndicator(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
}

// Focuses the field as Tab would, selects its text and types over it.
inline void typeOver(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace Orlenda
