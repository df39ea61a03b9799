// The member property dialog; see form3.h.
#include "dialogs/form3.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <utility>

#include "dialogs/field_keys.h"
#include "dialogs/section_shapes.h"
#include "document/member_connections.h"
#include "model/materials.h"
#include "platform/character_filter.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

constexpr int kRowCount = 5;

constexpr auto kDefaultMaterial = "C30混凝土";

// The fields are 270 twips high by design; the labels of a row match them.
// The lists' height follows their font: 300 twips for the dialog font.
constexpr int kLineTwips = 270;
constexpr int kComboTwips = 300;
// The name labels reach up to the control they name.
constexpr int kNameLabelTwips = 360;

constexpr int rowTop(int row) {
    return 720 + 360 * (row - 1);
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The numeric value of a field as a member stores it; a text too large for
// a single-precision number counts as no number.
float fieldValue(const QLineEdit& field) {
    const auto value = static_cast<float>(orv::leadingNumber(field.text().toStdString()));
    return std::isfinite(value) ? value : 0.0f;
}

// A filled field shows the start of its number, however long the number.
void fillField(QLineEdit& field, const std::string& text) {
    field.setText(QString::fromStdString(text));
    field.setCursorPosition(0);
}

// Shows `text` in a list, selecting its entry when it has one; a text that
// is not in the list still shows, as member records may carry any name.
void showComboText(QComboBox& combo, const QString& text) {
    combo.setCurrentIndex(combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo.setEditText(text);
}

// As wide as the longest text the program writes into a field: fifteen
// significant digits with an exponent, like "2.60416666666667E-03".
const QString kWidestFieldText = QStringLiteral("0.00000000000000E-00");

// The width at which `field` shows `text` without scrolling: the text, the
// two pixels QLineEdit keeps either side of it, a pixel for the cursor, the
// text margins and the frame.
int widthShowingWhole(const QLineEdit& field, const QString& text) {
    constexpr int kLineEditMargin = 2;
    const QMargins margins = field.textMargins();
    const int contents = field.fontMetrics().horizontalAdvance(text) + 2 * kLineEditMargin + 1 +
                         margins.left() + margins.right();
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    return field.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, field.height()), &field)
        .width();
}

QComboBox* createList(QWidget* parent, const QString& toolTip, QRect geometry) {
    auto* combo = new QComboBox(parent);
    // Focus only by click or Tab: a wheel turned over the dialog neither
    // takes the focus nor changes a choice.
    combo->setFocusPolicy(Qt::StrongFocus);
    // Editable, so that a member's name shows even when the list lacks it.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setToolTip(toolTip);
    combo->setGeometry(geometry);
    return combo;
}

QLabel* createLabel(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

// Dimensions are non-negative decimals.
bool isDimensionCharacter(QChar c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

}  // namespace

Form3::Form3(Document& document, Platform& platform, QString programFolder, QWidget* editor)
    : EditorToolWindow(editor),
      document_(document),
      platform_(platform),
      programFolder_(std::move(programFolder)) {
    setWindowTitle(QStringLiteral("杆件特性"));
    // The design positions assume a 9-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(9);
    setFont(dialogFont);
    setFixedSize(pixels(5220), pixels(kForm3HeightTwips));
    createControls();
    // Filled at once so that the lists are never empty, whichever command
    // reads them first.
    FillMemberPropertyLists();
}

void Form3::createControls() {
    Label1 =
        createLabel(this, QStringLiteral("材料"), twipRect(120, 120, kNameLabelTwips, kComboTwips));
    Combo1 = createList(this, QStringLiteral("选择材料"), twipRect(480, 120, 1575, kComboTwips));
    Label2 = createLabel(this, QStringLiteral("断面"),
                         twipRect(2280, 120, kNameLabelTwips, kComboTwips));
    Combo2 = createList(this, QStringLiteral("选择断面"), twipRect(2640, 120, 2535, kComboTwips));
    for (int row = 1; row <= kRowCount; ++row) {
        Label3[row] =
            createLabel(this, QString(), twipRect(120, rowTop(row), kNameLabelTwips, kLineTwips));
        Label3[row + kRowCount] =
            createLabel(this, QStringLiteral("m"), twipRect(2400, rowTop(row), 600, kLineTwips));
        Text1[row] = new QLineEdit(this);
        Text1[row]->setGeometry(twipRect(480, rowTop(row), 1815, kLineTwips));
        Text1[row]->setToolTip(QStringLiteral("输入数据"));
        // An input method would commit text past the key filter.
        Text1[row]->setAttribute(Qt::WA_InputMethodEnabled, false);
        Text1[row]->installEventFilter(this);
        // Pasted and dropped text passes the same test as typed keys.
        restrictInsertedCharacters(*Text1[row], isDimensionCharacter);
    }
    Image1 = createLabel(this, QString(), twipRect(3000, 600, 1830, 1845));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4 = createLabel(this, QString(), twipRect(120, 2520, 4980, kLineTwips));

    for (QComboBox* combo : {Combo1, Combo2}) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
    // activated, unlike the index signals, comes only from the user's choice.
    connect(Combo1, &QComboBox::activated, this, [this] { ApplyMemberProperties(); });
    connect(Combo2, &QComboBox::activated, this, [this] { changeSection(); });
    widenFieldsForLongValues();
}

// The design's fields are too narrow for the longest values in most fonts;
// they grow to show them whole, and the unit labels, the sketch, the shape
// list and the window make room.
void Form3::widenFieldsForLongValues() {
    const int extra =
        std::max(0, widthShowingWhole(*Text1[1], kWidestFieldText) - Text1[1]->width());
    if (extra == 0) {
        return;
    }
    const QPoint shift(extra, 0);
    for (int row = 1; row <= kRowCount; ++row) {
        Text1[row]->resize(Text1[row]->width() + extra, Text1[row]->height());
        Label3[row + kRowCount]->move(Label3[row + kRowCount]->pos() + shift);
    }
    Image1->move(Image1->pos() + shift);
    Combo2->resize(Combo2->width() + extra, Combo2->height());
    setFixedSize(width() + extra, height());
}

void Form3::FillMemberPropertyLists() {
    Combo1->clear();
    for (const MaterialModulus& material : kMaterials) {
        Combo1->addItem(fromUtf8(material.name));
    }
    showComboText(*Combo1, QString::fromUtf8(kDefaultMaterial));

    Combo2->clear();
    for (const SectionShape& shape : sectionShapes()) {
        Combo2->addItem(fromUtf8(shape.entry));
    }
    const SectionShape& rectangle = *findSectionShape(kDefaultSectionShape);
    showComboText(*Combo2, fromUtf8(rectangle.entry));
    layOutRows(rectangle);
    putDefaultValues(rectangle);
    showConnections(nullptr);
}

// "左端: 刚接   右端: 铰接"; nothing without a member.
void Form3::showConnections(const gj* member) {
    if (member == nullptr) {
        Label4->clear();
        return;
    }
    Label4->setText(
        QStringLiteral("左端: ") + QString::fromStdString(connectionName(member->左端转动刚度)) +
        QStringLiteral("   右端: ") + QString::fromStdString(connectionName(member->右端转动刚度)));
}

void Form3::ShowMemberProperties(std::int16_t member) {
    if (member < 1 || static_cast<std::size_t>(member) >= document_.members.size()) {
        return;
    }
    const gj& record = document_.members[static_cast<std::size_t>(member)];
    showComboText(*Combo1, QString::fromStdString(record.材料));
    showComboText(*Combo2, QString::fromStdString(record.断面));
    for (int row = 1; row <= kRowCount; ++row) {
        const float value = elementOr(record.尺寸, static_cast<std::size_t>(row - 1));
        fillField(*Text1[row], orv::writeNotation(value));
    }
    if (const SectionShape* shape = findSectionShape(record.断面)) {
        layOutRows(*shape);
    }
    showConnections(&record);
}

void Form3::ApplyMemberProperties() {
    if (!document_.memberPicked) {
        return;
    }
    gj* member = pickedMember();
    if (member == nullptr) {
        return;
    }
    const std::array<float, 5> values = dimensions();
    member->尺寸.assign(values.begin(), values.end());
    member->材料 = materialText();
    member->断面 = sectionText();
    if (!member->尺寸xh()) {
        platform_.messageBox(QStringLiteral("尺寸校核发现有错,重新修改数据"), MessageButtons::Ok,
                             MessageIcon::None, QString());
        activateWindow();
    }
    platform_.beep();
    if (propertiesWritten) {
        propertiesWritten();
    }
}

std::string Form3::sectionText() const {
    return Combo2->currentText().toStdString();
}

std::string Form3::materialText() const {
    return Combo1->currentText().toStdString();
}

std::array<float, 5> Form3::dimensions() const {
    std::array<float, 5> values{};
    for (int row = 1; row <= kRowCount; ++row) {
        values[static_cast<std::size_t>(row - 1)] = fieldValue(*Text1[row]);
    }
    return values;
}

void Form3::setVisible(bool visible) {
    if (visible && !loaded_) {
        loaded_ = true;
        load();
    }
    QWidget::setVisible(visible);
}

void Form3::load() {
    setStayOnTop(true);
    if (document_.mode == EditorMode::MemberInput) {
        FillMemberPropertyLists();
    }
    placeNextToEditor();
}

// The frame's top right at the editor frame's, below its title bar and
// inside the available area of the editor's screen, so that the dialog's
// title bar is on the screen and the editor's own title-bar buttons stay
// free.
QRect Form3::frameNextToEditor(const QRect& editorFrame, const QRect& available) const {
    return frameAtTopRightOf(expectedFrameSize(), editorFrame, available);
}

void Form3::changeSection() {
    Image1->clear();
    shownSketch_.clear();
    for (int row = 1; row <= kRowCount; ++row) {
        setRowShown(row, false);
    }
    if (const SectionShape* shape = findSectionShape(sectionText())) {
        layOutRows(*shape);
        putDefaultValues(*shape);
    }
    ApplyMemberProperties();
}

void Form3::layOutRows(const SectionShape& shape) {
    for (int row = 1; row <= kRowCount; ++row) {
        const auto slot = static_cast<std::size_t>(row - 1);
        const bool shown = slot < shape.rows.size();
        setRowShown(row, shown);
        Label3[row]->setText(shown ? fromUtf8(shape.rows[slot].name) : QString());
        Label3[row + kRowCount]->setText(shown ? fromUtf8(shape.rows[slot].unit)
                                               : QStringLiteral("m"));
    }
    showSketch(shape);
}

void Form3::putDefaultValues(const SectionShape& shape) {
    for (int row = 1; row <= kRowCount; ++row) {
        const auto slot = static_cast<std::size_t>(row - 1);
        const double value = slot < shape.rows.size() ? shape.rows[slot].defaultValue : 0.0;
        fillField(*Text1[row], orv::generalText(value));
    }
}

void Form3::setRowShown(int row, bool shown) {
    Label3[row]->setVisible(shown);
    Text1[row]->setVisible(shown);
    Label3[row + kRowCount]->setVisible(shown);
}

// A missing or unreadable bitmap leaves the sketch empty; the dialog works
// without it.
// Hovering in member query shows a member on every mouse move: the sketch
// file is read only when the shape changes.
void Form3::showSketch(const SectionShape& shape) {
    if (shape.sketchFile == shownSketch_ && !Image1->pixmap().isNull()) {
        return;
    }
    shownSketch_ = shape.sketchFile;
    if (shape.sketchFile.empty()) {
        Image1->clear();
        return;
    }
    Image1->setPixmap(QPixmap(programFolder_ + u'/' + fromUtf8(shape.sketchFile)));
}

void Form3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        passEscapeToEditor();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    // A wheel over a closed list would choose another entry and, through
    // it, reset the dimensions or rewrite the picked member.
    if (event->type() == QEvent::Wheel && isClosedList(watched)) {
        event->ignore();
        return true;
    }
    const int row = rowOf(watched);
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (row != 0) {
            return handleFieldKey(row, key);
        }
        // The lists: Esc hands the keyboard back; other keys work as usual.
        if (key.key() == Qt::Key_Escape) {
            passEscapeToEditor();
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease && row != 0) {
        // A held key writes once, when it is let go.
        if (!static_cast<const QKeyEvent&>(*event).isAutoRepeat()) {
            ApplyMemberProperties();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Returns whether the key is used up here.
bool Form3::handleFieldKey(int row, const QKeyEvent& key) {
    // Of the keys that type a character only digits, "." and Backspace reach
    // the field; Enter and Esc steer the focus.
    switch (classifyFieldKey(key, isDimensionCharacter)) {
        case FieldKey::NotTyping:
        case FieldKey::Typed:
            return false;
        case FieldKey::Refused:
            return true;
        case FieldKey::Enter:
            focusRowAfter(row);
            return true;
        case FieldKey::Escape:
            passEscapeToEditor();
            return true;
    }
    return false;
}

// Enter cycles through the shown rows, which always start at row 1.
void Form3::focusRowAfter(int row) {
    const int next = row < kRowCount && !Text1[row + 1]->isHidden() ? row + 1 : 1;
    Text1[next]->setFocus();
}

bool Form3::isClosedList(const QObject* watched) const {
    for (const QComboBox* combo : {Combo1, Combo2}) {
        if (combo == watched) {
            return !combo->view()->isVisible();
        }
    }
    return false;
}

int Form3::rowOf(const QObject* watched) const {
    for (int row = 1; row <= kRowCount; ++row) {
        if (Text1[row] == watched) {
            return row;
        }
    }
    return 0;
}

gj* Form3::pickedMember() {
    const std::int16_t marked = markedMember ? markedMember() : 0;
    if (marked < 1 || static_cast<std::size_t>(marked) >= document_.members.size()) {
        return nullptr;
    }
    return &document_.members[static_cast<std::size_t>(marked)];
}

void Form3::passEscapeToEditor() {
    if (escapeToEditor) {
        escapeToEditor();
    }
}
