// The per-character filter of line edits: every way the user inserts text
// passes the same test as a typed key; the program's own texts do not.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "platform/character_filter.h"

namespace {

bool isDecimalCharacter(QChar c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

TEST(InsertedCharacters, AreWhatLiesBetweenTheCommonEnds) {
    EXPECT_EQ(insertedCharacters("12", "1-72"), "-7");
    EXPECT_EQ(insertedCharacters("", "3.5"), "3.5");
    EXPECT_EQ(insertedCharacters("1x3", "1ab3"), "ab");  // a replaced selection
    EXPECT_EQ(insertedCharacters("123", "13"), "");      // a deletion inserts nothing
    EXPECT_EQ(insertedCharacters("123", ""), "");
    // Repeated characters: the ends may not overlap.
    EXPECT_EQ(insertedCharacters("11", "111"), "1");
    EXPECT_EQ(insertedCharacters("1E", "1E1E"), "1E");
}

class CharacterFilter : public ::testing::Test {
protected:
    void SetUp() override {
        field.setText("12");
        restrictInsertedCharacters(field, isDecimalCharacter);
        field.show();
        field.setFocus();
        field.setCursorPosition(1);
    }

    void pasteWith(const QString& clipboardText, int key, Qt::KeyboardModifier modifier) {
        QGuiApplication::clipboard()->setText(clipboardText);
        QTest::keyClick(&field, static_cast<Qt::Key>(key), modifier);
    }

    QLineEdit field;
};

TEST_F(CharacterFilter, TypingKeepsOnlyAcceptedCharacters) {
    QTest::keyClicks(&field, "a-3.x5");
    EXPECT_EQ(field.text(), "13.52");
}

TEST_F(CharacterFilter, PastingTakesAnAcceptedTextAndRefusesAnyOtherWhole) {
    pasteWith("-7", Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "12");
    pasteWith("7e1", Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(field.text(), "12");
    pasteWith("0.5", Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "10.52");
    // The context menu's Paste is this slot.
    QGuiApplication::clipboard()->setText(" 3");
    field.paste();
    EXPECT_EQ(field.text(), "10.52");
}

TEST_F(CharacterFilter, PastingOverASelectionChecksOnlyThePastedText) {
    field.setText("2.6E-03");
    field.setSelection(0, 3);
    pasteWith("9.1", Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "9.1E-03");
}

TEST_F(CharacterFilter, DroppedTextIsChecked) {
    const auto drop = [this](const QString& text) {
        QMimeData data;
        data.setText(text);
        // Qt delivers a drop only to the widget that accepted the drag.
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&field, &enter);
        QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&field, &drop);
    };
    drop("-1");
    EXPECT_EQ(field.text(), "12");
    drop("4");
    EXPECT_EQ(field.text().size(), 3);
}

TEST_F(CharacterFilter, MiddleClickPasteFromTheSelectionIsChecked) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    if (!clipboard.supportsSelection()) {
        GTEST_SKIP() << "this platform has no selection clipboard";
    }
    clipboard.setText("x", QClipboard::Selection);
    QTest::mouseClick(&field, Qt::MiddleButton);
    EXPECT_EQ(field.text(), "12");
}

TEST_F(CharacterFilter, TheProgramsTextsAreNeverChecked) {
    field.setText("2.60416666666667E-03");
    EXPECT_EQ(field.text(), "2.60416666666667E-03");
    EXPECT_TRUE(field.hasAcceptableInput());
    // Enter still signals, which Qt does only for acceptable input.
    QSignalSpy returnPressed(&field, &QLineEdit::returnPressed);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(returnPressed.count(), 1);
    // The filter still holds for the user's next edits.
    field.end(false);
    QTest::keyClicks(&field, "E7");
    EXPECT_EQ(field.text(), "2.60416666666667E-037");
}

TEST_F(CharacterFilter, DeletingAndUndoingAreAlwaysAllowed) {
    field.setText("2.6E-03");
    field.end(false);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "2.6E-0");
    QTest::keyClicks(&field, "1");
    field.setSelection(3, 2);
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.text(), "2.601");
    // Undo puts back characters the user could not type; the filter still
    // holds afterwards.
    field.undo();
    EXPECT_EQ(field.text(), "2.6E-01");
    field.end(false);
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "2.6E-01");
    field.undo();
    field.undo();
    EXPECT_EQ(field.text(), "2.6E-03");
    QTest::keyClicks(&field, "E");
    EXPECT_EQ(field.text(), "2.6E-03");
}

}  // namespace
