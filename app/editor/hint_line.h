// The hint label says what to do or what the canvas shows. A hint about
// what the canvas shows (printed texts, the result picture) gives way to
// the resting hint when that goes, unless another hint took its place
// meanwhile; this keeps which subject the label describes.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>

class QLabel;

// A number as the hints write it: a blank in the sign position (" 3号杆件").
inline QString hintNumber(int value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

class HintLine {
public:
    enum class Subject { Prints, ResultPicture };

    // `showRestingHint` puts the running mode's resting hint on `label`.
    HintLine(QLabel& label, std::function<void()> showRestingHint)
        : label_(label), showRestingHint_(std::move(showRestingHint)) {}

    void describe(Subject subject, const QString& text);
    // `subject` left the canvas: the resting hint, if the label still
    // describes it.
    void forget(Subject subject);

private:
    QLabel& label_;
    std::function<void()> showRestingHint_;
    std::optional<std::pair<Subject, QString>> about_;
};
