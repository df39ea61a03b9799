// The member-end connection commands through the window's events: a hinge
// toggled at a captured end, a node made a hinged node and rigid again,
// a stiffness entered through the input box; each one undo step, each
// drawn as its mark, carried by a member that a deletion renumbers.
#include <QLabel>
#include <QPainter>

#include "canvas/drawing_export.h"
#include "editor_fixture.h"

namespace {

using Kind = ConnectionMark::Kind;

class Connections : public EditorTest {
protected:
    // Portal: column 1 from (2, 6) to (2, 3), beam 2 from (2, 3) to (6, 3)
    // (its first end at the left), column 3 from (6, 3) to (6, 6).
    void SetUp() override {
        EditorTest::SetUp();
        drawPortal(2, 6, 3, 6);
    }
    const std::optional<float>& end(int member, MemberEnd which) const {
        return connectionOf(document.members[static_cast<std::size_t>(member)], which);
    }
    const std::vector<ConnectionMark>& marks() const {
        return form.canvasModel().connectionMarks();
    }
    QString hint() const { return form.hintLabel()->text(); }
    void ctrl(Qt::Key key) { QTest::keyClick(form.canvasWidget(), key, Qt::ControlModifier); }
    QString undoCaption() const { return form.menuItem(MenuCommand::Undo)->text(); }
};

TEST_F(Connections, EndHingeMarksTheEndNearestThePointerAndTogglesIt) {
    choose(MenuCommand::EndHinge);
    EXPECT_EQ(hint().toStdString(), kEndHingeHint);
    // Beside the beam's left end, on the beam: the beam's end, not the column's.
    hoverAt(2.3f, 3.05f);
    EXPECT_EQ(form.canvasModel().line(kMemberLines, 2).colour, kMarkColour);
    EXPECT_EQ(form.canvasModel().line(kMemberLines, 1).colour, kBlack);
    EXPECT_EQ(hint(), QStringLiteral("捕捉到 2号杆件左端(节点 2), 刚接:  单击鼠标左键改为铰接"));

    press(2.3f, 3.05f);
    EXPECT_EQ(end(2, MemberEnd::First), 0.0f);
    EXPECT_FALSE(end(1, MemberEnd::Second).has_value());
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 杆端铰接"));
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_EQ(marks()[0], (ConnectionMark{Kind::Hinge, 2, 3, 1, 0, 0}));
    EXPECT_TRUE(hint().endsWith(QStringLiteral("铰接:  单击鼠标左键改为刚接")));

    ctrl(Qt::Key_Z);
    EXPECT_FALSE(end(2, MemberEnd::First).has_value());
    EXPECT_TRUE(marks().empty());
    ctrl(Qt::Key_Y);
    EXPECT_EQ(end(2, MemberEnd::First), 0.0f);

    click(2.3f, 3.05f);  // a hinge becomes rigid again
    EXPECT_FALSE(end(2, MemberEnd::First).has_value());
    EXPECT_TRUE(marks().empty());
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(document.mode, EditorMode::None);
    EXPECT_EQ(form.canvasModel().line(kMemberLines, 2).colour, kBlack);
}

TEST_F(Connections, HingedNodeHingesEveryEndThereAndThenMakesThemRigid) {
    choose(MenuCommand::EndHinge);
    click(2.3f, 3.05f);  // one end of node 2 a hinge already
    choose(MenuCommand::HingedNode);
    hoverAt(2.05f, 3.05f);
    EXPECT_EQ(form.canvasModel().line(kMemberLines, 1).colour, kMarkColour);
    EXPECT_EQ(form.canvasModel().line(kMemberLines, 2).colour, kMarkColour);
    EXPECT_EQ(hint(), QStringLiteral("捕捉到节点 2, 2个杆端:  单击鼠标左键改为铰结点"));

    press(2.05f, 3.05f);
    EXPECT_EQ(end(1, MemberEnd::Second), 0.0f);
    EXPECT_EQ(end(2, MemberEnd::First), 0.0f);
    ASSERT_EQ(marks().size(), 1u);  // one circle at the node
    EXPECT_EQ(marks()[0], (ConnectionMark{Kind::HingedNode, 2, 3}));
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 铰结点"));

    click(2.05f, 3.05f);
    EXPECT_FALSE(end(1, MemberEnd::Second).has_value());
    EXPECT_FALSE(end(2, MemberEnd::First).has_value());
    ctrl(Qt::Key_Z);
    EXPECT_EQ(marks().size(), 1u);
    ctrl(Qt::Key_Z);
    EXPECT_FALSE(end(1, MemberEnd::Second).has_value());
    EXPECT_EQ(end(2, MemberEnd::First), 0.0f);  // the step of 杆端铰接 stays
}

TEST_F(Connections, StiffnessIsAskedAndOnlyANumberFromZeroUpIsTaken) {
    choose(MenuCommand::EndStiffness);
    platform.inputs.push_back(QStringLiteral("1200"));
    click(5.7f, 3.05f);  // the beam's right end
    EXPECT_EQ(end(2, MemberEnd::Second), 1200.0f);
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_EQ(marks()[0], (ConnectionMark{Kind::SemiRigid, 6, 3, -1, 0, 1200}));
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 杆端转动刚度"));

    const int messagesBefore = static_cast<int>(platform.messages().size());
    for (const char* refused : {"-5", "abc", "1e60", "inf"}) {
        platform.inputs.push_back(QString::fromLatin1(refused));
        click(5.7f, 3.05f);
        EXPECT_EQ(end(2, MemberEnd::Second), 1200.0f) << refused;
    }
    EXPECT_EQ(platform.messages().size(), messagesBefore + 4);
    EXPECT_EQ(platform.messages().back(), QStringLiteral("转动刚度应为零或正数"));
    for (const char* kept : {"", "  "}) {  // an empty answer, or Cancel
        platform.inputs.push_back(QString::fromLatin1(kept));
        click(5.7f, 3.05f);
        EXPECT_EQ(end(2, MemberEnd::Second), 1200.0f);
    }
    platform.inputs.push_back(QStringLiteral("-0"));
    click(5.7f, 3.05f);
    EXPECT_EQ(end(2, MemberEnd::Second), 0.0f);
    EXPECT_FALSE(std::signbit(*end(2, MemberEnd::Second)));
    EXPECT_EQ(marks()[0].kind, Kind::Hinge);

    ctrl(Qt::Key_Z);  // the refused and kept answers were no steps
    EXPECT_EQ(end(2, MemberEnd::Second), 1200.0f);
    ctrl(Qt::Key_Z);
    EXPECT_FALSE(end(2, MemberEnd::Second).has_value());
}

TEST_F(Connections, MemberQueryShowsBothConnections) {
    choose(MenuCommand::EndStiffness);
    platform.inputs.push_back(QStringLiteral("2.5"));
    click(2.3f, 3.05f);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberQuery);
    hoverAt(4, 3);
    EXPECT_EQ(form.form3().Label4->text(), QStringLiteral("左端: k=2.5 kN·m/rad   右端: 刚接"));
}

// The last member takes the deleted one's number with its connections;
// the deleted member's go with it.
TEST_F(Connections, ADeletionMovesConnectionsWithTheirMember) {
    choose(MenuCommand::EndHinge);
    click(6.05f, 5.7f);  // column 3's foot
    click(2.05f, 5.7f);  // column 1's foot
    ASSERT_EQ(marks().size(), 2u);
    const gj column3 = document.members[3];
    choose(MenuCommand::MemberDelete);
    hoverAt(2, 4.5f);
    keyUp(Qt::Key_Delete);
    ASSERT_EQ(document.membersEntered, 2);
    EXPECT_EQ(document.members[1].x1, column3.x1);
    EXPECT_EQ(document.members[1].左端转动刚度, column3.左端转动刚度);
    EXPECT_EQ(document.members[1].右端转动刚度, column3.右端转动刚度);
    EXPECT_EQ(marks().size(), 1u);
    EXPECT_EQ(marks()[0].x, 6.0f);
}

// The scene a file or a page is painted from holds the marks, and paints
// a hollow circle: its middle the background, its rim dark.
TEST_F(Connections, PicturesDrawTheHingeCircle) {
    choose(MenuCommand::EndHinge);
    click(2.3f, 3.05f);
    const DrawingScene scene = form.canvasModel().scene();
    ASSERT_EQ(scene.connections.size(), 1u);
    const ViewTransform view = fittedView(scene, QSize(800, 600));
    QImage image(view.pixels, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDrawing(painter, scene, view);
    painter.end();
    const QPointF centre = view.toPixel(2, 3) + QPointF(4, 0);
    EXPECT_EQ(image.pixel(centre.toPoint()), qRgb(255, 255, 255));
    EXPECT_LT(qGray(image.pixel((centre + QPointF(0, -4)).toPoint())), 128);
    EXPECT_LT(qGray(image.pixel((centre + QPointF(12, 0)).toPoint())), 128);  // the beam
}

}  // namespace
