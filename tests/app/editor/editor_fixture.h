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
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <vector>

#include "canvas/canvas_view.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
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

    // Hover and end capture look at the position of the move before: the
    // mouse comes to rest there.
    void hoverAt(float x, float y) {
        move(x, y);
        move(x, y);
    }
    // Draws the members (x1, y1, x2, y2), then leaves member input.
    void drawFrame(const std::vector<std::array<float, 4>>& members) {
        startInput(QString::number(members.size()));
        for (const auto& [x1, y1, x2, y2] : members) {
            drawMember(x1, y1, x2, y2);
        }
        keyUp(Qt::Key_Escape);
    }
    // A portal: column 1 up from (left, base), beam 2 at `top`, column 3
    // down to (right, base).
    void drawPortal(float left, float right, float top, float base) {
        drawFrame({{left, base, left, top}, {left, top, right, top}, {right, top, right, base}});
    }
    // Fixed ends at the given member ends, each clicked a little off the
    // end and captured onto it.
    void fixEnds(const std::vector<std::array<float, 2>>& ends) {
        choose(MenuCommand::FixedEnd);
        for (const auto& [x, y] : ends) {
            click(x + 0.05f, y - 0.05f);
        }
        keyUp(Qt::Key_Escape);
    }
    // In load input: the dialog's load of `kind` with xq and q, given with
    // F12 to the member whose midpoint is at (x, y).
    void giveLoad(const char* kind, const char* xq, const char* q, float x, float y) {
        Form2& dialog = form.form2();
        const int index = dialog.Combo1->findText(QString::fromUtf8(kind));
        dialog.Combo1->setCurrentIndex(index);
        emit dialog.Combo1->activated(index);
        dialog.Text1[0]->setText(QString::fromUtf8(xq));
        dialog.Text1[1]->setText(QString::fromUtf8(q));
        hoverAt(x, y);
        keyUp(Qt::Key_F12);
    }
    // The analysis writes its result files beside the project: a folder of
    // the test's own.
    QTemporaryDir scratch;
    void keepProjectInScratchFolder() {
        ASSERT_TRUE(scratch.isValid());
        document.projectPath = scratch.filePath(QStringLiteral("portal.tsd")).toStdString();
    }

    // The canvas's printed operations of one kind, in order.
    std::vector<CanvasPrint> printsOf(CanvasPrint::Kind kind) const {
        std::vector<CanvasPrint> prints;
        for (const CanvasPrint& print : form.canvasModel().printLog()) {
            if (print.kind == kind) {
                prints.push_back(print);
            }
        }
        return prints;
    }

    const gj& member(int i) const { return document.members.at(static_cast<std::size_t>(i)); }
    const LineShape& memberLine(int i) const { return form.canvasModel().line(kMemberLines, i); }
    bool menuEnabled(MenuId id) const { return form.menu(id)->menuAction()->isEnabled(); }
    bool itemEnabled(MenuCommand command) const { return form.menuItem(command)->isEnabled(); }
};
