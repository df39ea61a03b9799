// Every modal dialog and operating-system service the program uses: message
// boxes, the input box, file and colour dialogs, the beep and the help
// viewer. Windows call these and never Qt's modal dialogs directly, so that
// tests can script the answers (TestPlatform) while the program shows real
// dialogs (QtPlatform).
#pragma once

#include <QDir>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QPrinter;

// YesNoDefaultNo: a question whose Yes throws work away; Enter and Esc
// answer No.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The answer of Enter on a message box's default button.
constexpr MessageAnswer defaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::YesNoDefaultNo:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button pressed.
    virtual MessageAnswer messageBox(const QString& text, MessageButtons buttons, MessageIcon icon,
                                     const QString& caption) = 0;

    // A modal input box; an empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& initialText) = 0;

    // File dialogs with a filter such as "数据文件(*.tsd)|*.tsd"; an empty
    // name when cancelled. The open dialog starts in `folder`, the save
    // dialog in the folder of `suggestedPath` with its name filled in.
    virtual QString openFileName(const QString& filter, const QString& folder) = 0;
    virtual QString saveFileName(const QString& filter, const QString& defaultSuffix,
                                 const QString& suggestedPath) = 0;

    // The colour dialog; the colour as a 32-bit value with red in the low
    // byte, nothing when cancelled.
    virtual std::optional<std::int32_t> chooseColour(std::int32_t initial) = 0;

    virtual void beep() = 0;

    // The print preview of the pages `paint` draws on the printer it is
    // handed (again whenever the user changes the page); printing from it
    // is the user's choice.
    virtual void printPreview(const std::function<void(QPrinter&)>& paint) = 0;

    // Shows the help document of the program folder; closes its window.
    virtual void showHelp(const QString& helpFile) = 0;
    virtual void closeHelp() = 0;

    // The user's switches, kept between runs by their keys.
    virtual bool setting(const QString& key, bool fallback) = 0;
    virtual void keepSetting(const QString& key, bool value) = 0;
    // The user's values (a grid spacing), kept between runs as texts.
    virtual QString textSetting(const QString& key, const QString& fallback) = 0;
    virtual void keepTextSetting(const QString& key, const QString& value) = 0;

    // Convenience: a message with an OK button.
    void tell(const QString& text, MessageIcon icon = MessageIcon::None,
              const QString& caption = QString()) {
        messageBox(text, MessageButtons::Ok, icon, caption);
    }
    // Whether the file at `path`, which exists, may be replaced: a name
    // the save dialog did not ask about (an extension was added to it).
    bool mayReplace(const QString& path, const QString& caption) {
        return messageBox(QDir::toNativeSeparators(path) + QStringLiteral(" 已存在。\n要替换它吗?"),
                          MessageButtons::YesNo, MessageIcon::Exclamation,
                          caption) == MessageAnswer::Yes;
    }
};
