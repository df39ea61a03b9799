// The real editor window, driven with synthetic mouse events at world
// coordinates and key releases, with a scripted platform.
#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "dialogs/form3.h"
#include "editor/canvas_view.h"
#include "editor/form1.h"
#include "platform/test_platform.h"

class EditorTest : public ::testing::Test {
protected:
    Document document;
    TestPlatform platform;
    Form1 form{document, platform, QStringLiteral(ORVANDEL_PROGRAM_FOLDER)};
    quint64 clock_ = 0;  // milliseconds, the time stamp of the last mouse event

    void SetUp() override { form.Form_Load(); }

    // Mouse events at a world point: the pixel position is fractional, so
    // the window reads back exactly the same world coordinates.
    // Events are a second apart unless `after` says otherwise, so that two
    // presses are two points and not a double-click.
    void mouse(QEvent::Type type, float x, float y, Qt::MouseButton button, quint64 after = 1000) {
        const QPointF pixel = form.canvasModel().toPixel(x, y);
        QMouseEvent event(type, pixel, form.canvasWidget()->mapToGlobal(pixel), button,
                          type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
        clock_ += after;
        event.setTimestamp(clock_);
        QCoreApplication::sendEvent(form.canvasWidget(), &event);
    }
    void move(float x, float y) { mouse(QEvent::MouseMove, x, y, Qt::NoButton); }
    void press(float x, float y, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, x, y, button);
    }
    // A point as the user enters it: the mouse comes to rest, then presses.
    void click(float x, float y) {
        move(x, y);
        press(x, y);
    }
    void drawMember(float x1, float y1, float x2, float y2) {
        click(x1, y1);
        click(x2, y2);
    }
    // A key pressed and released on the canvas; the window acts on the release.
    void keyUp(Qt::Key key) { QTest::keyClick(form.canvasWidget(), key); }

    void choose(MenuCommand command) { form.menuItem(command)->trigger(); }
    // 杆件总数 answered with `total`, then 输入杆件.
    void startInput(const QString& total) {
        platform.inputs.push_back(total);
        choose(MenuCommand::MemberTotal);
        choose(MenuCommand::MemberInput);
    }

    // A double-click as the platform delivers it: press, release, press,
    // double-click event, release, within the double-click time.
    void doubleClick(float x, float y) {
        move(x, y);
        mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, 60);
        mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton, 60);
        mouse(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, 0);
        mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, 60);
    }

    // A section shape chosen in the property dialog as the user picks it.
    void chooseSection(const char* shape) {
        Form3& dialog = form.form3();
        const int index = dialog.Combo2->findText(QString::fromUtf8(shape));
        dialog.Combo2->setCurrentIndex(index);
        emit dialog.Combo2->activated(index);
    }
    // Member input with a T section whose web is wider than its flange: the
    // next member fails the section check.
    void chooseFailingSection() {
        chooseSection("T形");
        form.form3().Text1[1]->setText(QStringLiteral("0.5"));
    }

    const gj& member(int i) const { return document.members.at(static_cast<std::size_t>(i)); }
    const LineShape& memberLine(int i) const { return form.canvasModel().line(kMemberLines, i); }
    bool menuEnabled(MenuId id) const { return form.menu(id)->menuAction()->isEnabled(); }
    bool itemEnabled(MenuCommand command) const { return form.menuItem(command)->isEnabled(); }
};
