// The load dialog; see form2.h.
#include "dialogs/form2.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <utility>

#include "dialogs/field_keys.h"
#include "dialogs/form3.h"
#include "dialogs/load_kind_rows.h"
#include "dialogs/load_list.h"
#include "platform/character_filter.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

const QString kUniform = QStringLiteral("均布");
const QString kTooManyLoads = QStringLiteral("每根杆件荷载数不能多于55个!");
const QString kNoLoads = QStringLiteral("此杆件无荷载");
const QString kChosenLoadHint = QStringLiteral("击Del键删除此荷载");
const QString kSwitchHint = QStringLiteral("选中下拉框再击Del键删除此荷载");
const QString kTypingHint = QStringLiteral("选中下拉框再击Del键可删除此荷载");

constexpr int kClientWidthTwips = 4560;
constexpr int kClientHeightTwips = 3240;
constexpr int kLineTwips = 270;
// The list's height follows its font: 300 twips for the dialog font.
constexpr int kComboTwips = 300;
constexpr int kPositionRowTwips = 2520;
constexpr int kValueRowTwips = 2880;

enum Field { kPositionField = 0, kValueField = 1 };

// Positions and extents are distances from the first end: never negative.
bool isPositionCharacter(QChar c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

// A "," is let through but ends the number when it is read.
bool isValueCharacter(QChar c) {
    return isPositionCharacter(c) || c == u',' || c == u'-';
}

// The numeric value of a field as a load stores it: its leading decimal
// number, 0 for none; a text too large for a single counts as none.
float fieldValue(const QLineEdit& field) {
    const auto value = static_cast<float>(orv::leadingNumber(field.text().toStdString()));
    return std::isfinite(value) ? value : 0.0f;
}

// Three decimals without the zero before the point: 4 gives "4.000", 0.75
// gives ".750".
QString threeDecimals(double value) {
    QString text = QString::fromStdString(orv::formatFixed(value, 3));
    if (text.startsWith(QStringLiteral("0."))) {
        text.remove(0, 1);
    } else if (text.startsWith(QStringLiteral("-0."))) {
        text.remove(1, 1);
    }
    return text;
}

// The general number form of a field: 2.5, 6, -10.
QString generalText(float value) {
    return QString::fromStdString(orv::displayText(value));
}

QLabel* createLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->setGeometry(pixels(left), pixels(top), label->width(), pixels(kLineTwips));
    return label;
}

// A character typed into the list; the kind is only chosen from the list.
bool typesCharacter(const QKeyEvent& key) {
    const QString typed = key.text();
    return !typed.isEmpty() && typed.front().isPrint() &&
           !key.modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace

Form2::Form2(Document& document, Platform& platform, QString programFolder, QWidget* editor)
    : EditorToolWindow(editor),
      document_(document),
      platform_(platform),
      programFolder_(std::move(programFolder)) {
    // The design positions assume a 9-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(9);
    setFont(dialogFont);
    setFixedSize(pixels(kClientWidthTwips), pixels(kClientHeightTwips));
    createControls();
    setStayOnTop(true);
}

void Form2::createControls() {
    Image1 = new QLabel(this);
    Image1->setGeometry(twipRect(360, 0, 3855, 2415));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1 = createLabel(this, QStringLiteral("Xq="), 120, kPositionRowTwips);
    Label4 = createLabel(this, QStringLiteral("m"), 1560, kPositionRowTwips);
    Label2 = createLabel(this, QStringLiteral("q="), 120, kValueRowTwips);
    Label5 = createLabel(this, QStringLiteral("kn,kn*m,kn/m"), 1560, kValueRowTwips);
    Label3 = createLabel(this, QStringLiteral("杆件全长布置荷载"), 3000, kValueRowTwips);
    createFields();

    Combo1 = new QComboBox(this);
    Combo1->setGeometry(twipRect(2400, kPositionRowTwips, 2055, kComboTwips));
    // Focus only by click or Tab: a wheel turned over the dialog neither
    // takes the focus nor changes the kind.
    Combo1->setFocusPolicy(Qt::StrongFocus);
    Combo1->installEventFilter(this);
    // activated, unlike the index signals, comes only from the user's choice.
    connect(Combo1, &QComboBox::activated, this, [this](int position) { changeKind(position); });

    // The switch has no caption of its own: Label3 names it.
    CheckBox1 = new QCheckBox(this);
    CheckBox1->move(pixels(2760), pixels(kValueRowTwips));
    CheckBox1->resize(CheckBox1->sizeHint());
    CheckBox1->installEventFilter(this);
    connect(CheckBox1, &QCheckBox::clicked, this, [this](bool checked) {
        hint(kSwitchHint);
        setPositionFieldShown(!checked);
    });
    makeRoomForCaptions();
}

// The design leaves the unit hint little room before the switch; in a wider
// font the switch and its caption move right and the dialog grows, so that
// every caption shows whole.
void Form2::makeRoomForCaptions() {
    constexpr int kGap = 4;
    const int overlap = Label5->geometry().right() + kGap - CheckBox1->x();
    if (overlap > 0) {
        for (QWidget* control : std::initializer_list<QWidget*>{CheckBox1, Label3}) {
            control->move(control->x() + overlap, control->y());
        }
    }
    const int needed = Label3->geometry().right() + kGap;
    if (needed > width()) {
        setFixedSize(needed, height());
    }
}

void Form2::createFields() {
    const int tops[] = {kPositionRowTwips, kValueRowTwips};
    for (int field : {kPositionField, kValueField}) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(twipRect(480, tops[field], 975, kLineTwips));
        // An input method would commit text past the key filter.
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->installEventFilter(this);
        // Pasted and dropped text passes the same test as typed keys.
        restrictInsertedCharacters(
            *edit, field == kPositionField ? isPositionCharacter : isValueCharacter);
        Text1[static_cast<std::size_t>(field)] = edit;
    }
}

void Form2::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        placeNextToEditor();
    }
    QWidget::setVisible(visible);
}

// The member property dialog takes the editor's top right corner; this one
// goes right below it, its right edge on the editor's, so the two never
// cover each other when both are shown. Both stay inside the available
// area of the editor's screen.
QRect Form2::frameNextToEditor(const QRect& editorFrame, const QRect& available) const {
    // Both dialogs are tool windows with the same decoration.
    const int decoration = expectedFrameSize().height() - height();
    // The member property dialog sits at the editor's top right, this
    // dialog right below it.
    const QSize propertyDialogFrame(1, pixels(kForm3HeightTwips) + decoration);
    const QRect above = frameAtTopRightOf(propertyDialogFrame, editorFrame, available);
    const QRect anchor(QPoint(editorFrame.left(), above.bottom() + 1), above.bottomRight());
    return frameAtTopRightOf(expectedFrameSize(), anchor, available);
}

void Form2::输入荷载时窗体() {
    Combo1->clear();
    for (const LoadKindRow& row : kLoadKindRows) {
        Combo1->addItem(
            QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size())));
    }
    Combo1->setCurrentIndex(Combo1->findText(kUniform));
    showKindControls(kUniform);
    Text1[kPositionField]->setText(QStringLiteral("1"));
    Text1[kValueField]->setText(QStringLiteral("1"));
    setWindowTitle(QStringLiteral("荷载输入"));
    listedMember_ = 0;
}

void Form2::AddLoadToMember() {
    const std::int16_t marked = markedMemberNumber();
    if (marked != 0) {
        gj& member = document_.members[static_cast<std::size_t>(marked)];
        if (readCurrentLoads(member).荷载数 >= orv::kMaxLoadsPerMember) {
            platform_.tell(kTooManyLoads);
            return;
        }
        if (document_.mode == EditorMode::LoadInput) {
            appendDialogsLoad(member);
        }
    }
    platform_.beep();
}

// The full length is what the field shows after the load is given: the
// stored xq is the length to three decimals, read back from the field. A
// load never lies beyond its member's end: where the three decimals round
// up past it, the length itself is stored, as the reader would clamp it,
// so that the project analyses the same before saving and after reopening.
void Form2::appendDialogsLoad(gj& member) {
    const QString kind = Combo1->currentText();
    const float length = member.leng();
    const bool fullLength = isDistributedLoadKind(kind.toStdString()) && CheckBox1->isChecked();
    if (fullLength || fieldValue(*Text1[kPositionField]) > length) {
        Text1[kPositionField]->setText(threeDecimals(length));
    }
    if (appendLoad(currentLoads(member), kind.toStdString(),
                   std::min(fieldValue(*Text1[kPositionField]), length),
                   fieldValue(*Text1[kValueField]))) {
        trimLaterCases(member);
        reportLoadsChanged();
    }
}

void Form2::ShowMemberLoads() {
    setWindowTitle(QStringLiteral("查询修改荷载"));
    const std::int16_t marked = markedMemberNumber();
    if (marked == 0) {
        return;
    }
    const gj& member = document_.members[static_cast<std::size_t>(marked)];
    if (readCurrentLoads(member).荷载数 <= 0) {
        listedMember_ = 0;
        platform_.tell(kNoLoads);
        hide();
        return;
    }
    if (document_.membersEntered == document_.memberTotal) {
        fillList(member);
        listedMember_ = marked;
    }
    document_.shownLoadIndex = 1;
}

void Form2::fillList(const gj& record) {
    const ConstMemberLoads member = readCurrentLoads(record);
    Combo1->clear();
    for (int k = 1; k <= member.荷载数; ++k) {
        Combo1->addItem(
            QString::fromStdString(elementOr(member.hzlx, static_cast<std::size_t>(k))));
    }
    const QString firstKind = Combo1->itemText(0);
    showKindControls(firstKind);
    const float firstPosition = elementOr(member.xq, 1);
    CheckBox1->setChecked(isDistributedLoadKind(firstKind.toStdString()) &&
                          firstPosition == record.leng());
    updatePositionField(firstKind);
    Combo1->setCurrentIndex(0);
    Text1[kPositionField]->setText(generalText(firstPosition));
    Text1[kValueField]->setText(generalText(elementOr(member.q, 1)));
}

// A kind chosen from the list; in load query, the load at that position.
// The fields keep their values unless a load is shown.
void Form2::changeKind(int position) {
    hint(kChosenLoadHint);
    const QString kind = Combo1->currentText();
    showKindControls(kind);
    updatePositionField(kind);
    if (document_.memberPicked) {
        showChosenLoad(position);
    }
}

// The sketch and the switch of a known kind; any other text changes
// neither.
void Form2::showKindControls(const QString& kind) {
    const LoadKindRow* row = findLoadKindRow(kind.toStdString());
    if (row == nullptr) {
        return;
    }
    showSketch(*row);
    CheckBox1->setVisible(row->fullLengthSwitch);
    Label3->setVisible(row->fullLengthSwitch);
}

// A missing or unreadable bitmap leaves the sketch empty; the dialog works
// without it.
void Form2::showSketch(const LoadKindRow& row) {
    const QString file =
        QString::fromUtf8(row.sketchFile.data(), static_cast<qsizetype>(row.sketchFile.size()));
    Image1->setPixmap(QPixmap(programFolder_ + u'/' + file));
}

// A distributed load over the whole member needs no position.
void Form2::updatePositionField(const QString& kind) {
    const bool checked = CheckBox1->isChecked();
    if (CheckBox1->isHidden() || !checked) {
        setPositionFieldShown(true);
    }
    if (isDistributedLoadKind(kind.toStdString()) && checked) {
        setPositionFieldShown(false);
    }
}

void Form2::setPositionFieldShown(bool shown) {
    Label1->setVisible(shown);
    Text1[kPositionField]->setVisible(shown);
}

// The switch keeps its state: it is not taken from the chosen load.
void Form2::showChosenLoad(int position) {
    document_.shownLoadIndex = static_cast<std::int16_t>(position + 1);
    gj* member = memberShownForEditing();
    if (member == nullptr) {
        return;
    }
    const auto k = static_cast<std::size_t>(document_.shownLoadIndex);
    const ConstMemberLoads shown = readCurrentLoads(*member);
    Text1[kPositionField]->setText(threeDecimals(elementOr(shown.xq, k)));
    Text1[kValueField]->setText(generalText(elementOr(shown.q, k)));
}

void Form2::UpdateShownLoad() {
    gj* member = memberShownForEditing();
    if (member == nullptr) {
        return;
    }
    const int k = document_.shownLoadIndex;
    const float length = member->leng();
    const bool fullLength = isDistributedLoadKind(elementOr(readCurrentLoads(*member).hzlx,
                                                            static_cast<std::size_t>(k))) &&
                            !CheckBox1->isHidden() && CheckBox1->isChecked();
    float position = fieldValue(*Text1[kPositionField]);
    if (position >= length || fullLength) {
        Text1[kPositionField]->setText(threeDecimals(length));
        position = length;
    }
    setLoadValues(currentLoads(*member), k, position, fieldValue(*Text1[kValueField]));
    reportLoadsChanged();
    platform_.beep();
    tellLoadWritten(false);
}

void Form2::DeleteShownLoad() {
    gj* member = memberShownForEditing();
    if (member == nullptr) {
        return;
    }
    removeLoad(currentLoads(*member), document_.shownLoadIndex);
    trimLaterCases(*member);
    reportLoadsChanged();
    ShowMemberLoads();
    platform_.beep();
    tellLoadWritten(true);
}

void Form2::tellLoadWritten(bool removed) {
    if (loadWritten) {
        loadWritten(removed);
    }
}

// The marked member among those drawn, 0 for none.
std::int16_t Form2::markedMemberNumber() const {
    const std::int16_t marked = markedMember ? markedMember() : 0;
    const bool drawn = marked >= 1 && marked <= document_.membersEntered &&
                       static_cast<std::size_t>(marked) < document_.members.size();
    return drawn ? marked : 0;
}

// The member the fields and Del change: the picked one, still marked, whose
// loads the list holds, and only when the shown load is one of them.
gj* Form2::memberShownForEditing() {
    if (!document_.memberPicked) {
        return nullptr;
    }
    const std::int16_t marked = markedMemberNumber();
    if (marked == 0 || marked != listedMember_) {
        return nullptr;
    }
    gj& member = document_.members[static_cast<std::size_t>(marked)];
    const int k = document_.shownLoadIndex;
    if (k < 1 || k > readCurrentLoads(member).荷载数 || k > orv::kMaxLoadsPerMember) {
        return nullptr;
    }
    return &member;
}

// The dialog gives, lists and edits the loads of the current load case.
MemberLoads Form2::currentLoads(gj& member) const {
    return loadsIn(member, document_.currentLoadCase);
}

// Reading makes no entry for a later case, so a look changes no record.
ConstMemberLoads Form2::readCurrentLoads(const gj& member) const {
    return loadsIn(member, document_.currentLoadCase);
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        passEscapeToEditor();
        return;
    }
    QWidget::keyPressEvent(event);
}

// A click on the dialog in a load command takes the keyboard from the
// editor.
void Form2::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (document_.mode == EditorMode::LoadInput || document_.mode == EditorMode::LoadQuery) {
        activateWindow();
        setFocus();
    }
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    // A wheel over the closed list would choose another kind or load.
    if (event->type() == QEvent::Wheel && isClosedList(watched)) {
        event->ignore();
        return true;
    }
    const int field = fieldOf(watched);
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (field >= 0) {
            return handleFieldKey(field, key);
        }
        if (watched == Combo1) {
            return handleListKey(key);
        }
        if (watched == CheckBox1 && key.key() == Qt::Key_Escape) {
            passEscapeToEditor();
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease && field >= 0) {
        // A held key writes once, when it is let go.
        if (!static_cast<const QKeyEvent&>(*event).isAutoRepeat()) {
            UpdateShownLoad();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Returns whether the key is used up here.
bool Form2::handleFieldKey(int field, const QKeyEvent& key) {
    switch (
        classifyFieldKey(key, field == kPositionField ? isPositionCharacter : isValueCharacter)) {
        case FieldKey::NotTyping:
            return false;
        case FieldKey::Typed:
            hint(kTypingHint);
            return false;
        // Enter types nothing a number holds: refused with the letters.
        case FieldKey::Refused:
        case FieldKey::Enter:
            hint(kTypingHint);
            return true;
        case FieldKey::Escape:
            passEscapeToEditor();
            return true;
    }
    return false;
}

// Esc hands the keyboard back, Del deletes the shown load in load query,
// typed characters are dropped; the arrows choose as in the list.
bool Form2::handleListKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        passEscapeToEditor();
        return true;
    }
    if (key.key() == Qt::Key_Delete) {
        if (document_.mode == EditorMode::LoadQuery) {
            DeleteShownLoad();
        }
        return true;
    }
    return typesCharacter(key);
}

bool Form2::isClosedList(const QObject* watched) const {
    return watched == Combo1 && !Combo1->view()->isVisible();
}

int Form2::fieldOf(const QObject* watched) const {
    for (int field : {kPositionField, kValueField}) {
        if (Text1[static_cast<std::size_t>(field)] == watched) {
            return field;
        }
    }
    return -1;
}

// Every hint of the dialog tells how Del deletes the shown load, which only
// load query does: in load input they would promise what Del cannot do.
void Form2::hint(const QString& text) {
    if (showHint && document_.mode == EditorMode::LoadQuery) {
        showHint(text);
    }
}

void Form2::reportLoadsChanged() {
    if (loadsChanged) {
        loadsChanged();
    }
}

void Form2::passEscapeToEditor() {
    if (escapeToEditor) {
        escapeToEditor();
    }
}
