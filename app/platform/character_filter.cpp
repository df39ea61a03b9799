// The per-character filter of line edits; see character_filter.h.
#include "platform/character_filter.h"

#include <QLineEdit>
#include <QSet>
#include <QValidator>
#include <algorithm>
#include <utility>

QString insertedCharacters(const QString& before, const QString& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    // The suffix may not reach into the prefix of either text.
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return after.mid(prefix, after.size() - prefix - suffix);
}

namespace {

// Qt validates a line edit's text after every change, the user's and the
// program's alike, and undoes a user edit the validator calls Invalid. The
// validator compares the new text with the field's last text, which it
// follows through textChanged (emitted only once a change is kept).
//
// Texts are never refused when Qt would keep them anyway (setText, undo,
// redo): Qt then stops undoing refused edits until the next accepted one.
class InsertedCharacterValidator : public QValidator {
public:
    InsertedCharacterValidator(QLineEdit& field, std::function<bool(QChar)> accepts)
        : QValidator(&field), field_(field), accepts_(std::move(accepts)), lastText_(field.text()) {
        keptTexts_.insert(lastText_);
        connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { keep(text); });
    }

    State validate(QString& input, int& /*position*/) const override {
        if (isProgramsText() || keptTexts_.contains(input)) {
            return Acceptable;
        }
        const QString inserted = insertedCharacters(lastText_, input);
        const bool allAccepted =
            std::all_of(inserted.begin(), inserted.end(), [this](QChar c) { return accepts_(c); });
        return allAccepted ? Acceptable : Invalid;
    }

private:
    // setText clears the field's modified flag and every user edit sets it
    // before the new text is validated; while it is clear, the text is the
    // program's (or the user undid back to it).
    bool isProgramsText() const { return !field_.isModified(); }

    // Undo and redo reach only the texts kept since the program last set
    // one, as setText clears the undo history.
    void keep(const QString& text) {
        if (isProgramsText()) {
            keptTexts_.clear();
        }
        keptTexts_.insert(text);
        lastText_ = text;
    }

    QLineEdit& field_;
    std::function<bool(QChar)> accepts_;
    QString lastText_;
    QSet<QString> keptTexts_;
};

}  // namespace

void restrictInsertedCharacters(QLineEdit& field, std::function<bool(QChar)> accepts) {
    field.setValidator(new InsertedCharacterValidator(field, std::move(accepts)));
}
