#include "platform/colors.h"
#include "report/controlutils.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

TEST(DialogHelpers, EnableControlsGreysLabelsAndFacesEdits)
{
    QWidget dialog;
    auto *label = new QLabel("Název:", &dialog);
    auto *edit = new QLineEdit(&dialog);

    EnableControls({label, edit, nullptr}, false);
    EXPECT_FALSE(label->isEnabled());
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), Colors::toQColor(clGrayText));
    EXPECT_EQ(edit->palette().color(QPalette::Base), Colors::toQColor(clBtnFace));

    EnableControls({label, edit}, true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), Colors::toQColor(clWindowText));
    EXPECT_EQ(edit->palette().color(QPalette::Base), Colors::toQColor(clWindow));
}

TEST(DialogHelpers, ControlAtPointSearchesTopmostFirstAndGoesOnPastEmptyPanels)
{
    QWidget dialog;
    dialog.resize(300, 200);
    auto *below = new QLineEdit(&dialog);
    below->setGeometry(0, 0, 200, 100);
    auto *panel = new QWidget(&dialog); // above the edit, overlapping it
    panel->setGeometry(50, 0, 200, 150);
    auto *inner = new QLabel("x", panel);
    inner->setGeometry(100, 100, 50, 20);
    auto *hidden = new QLabel("y", &dialog);
    hidden->setGeometry(0, 0, 300, 200);
    hidden->hide();

    EXPECT_EQ(ControlAtPoint(&dialog, QPoint(160, 110)), inner); // found inside the panel
    EXPECT_EQ(ControlAtPoint(&dialog, QPoint(60, 10)), below);   // nothing inside: the edit below
    EXPECT_EQ(ControlAtPoint(&dialog, QPoint(220, 140)), nullptr);
    EXPECT_EQ(ControlAtPoint(&dialog, QPoint(10, 10)), below);
    below->raise();
    EXPECT_EQ(ControlAtPoint(&dialog, QPoint(60, 10)), below);
    EXPECT_EQ(GetWindowsVersion(), "NT");
}
