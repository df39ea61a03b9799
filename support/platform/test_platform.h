// A platform for tests: records every call in order and answers from a
// script. Unscripted questions get the answer of a user who presses Enter
// on the default button (defaultAnswer) or cancels a dialog.
#pragma once

#include <QStringList>
#include <deque>
#include <map>
#include <vector>

#include "platform/platform.h"

struct PlatformCall {
    enum class Kind {
        MessageBox,
        InputBox,
        OpenFile,
        SaveFile,
        Colour,
        Beep,
        ShowHelp,
        CloseHelp,
        PrintPreview
    };
    Kind kind;
    QString text;     // message or prompt, filter for file dialogs, help file
    QString caption;  // caption or title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString path;  // the folder or suggested name a file dialog starts with
};

class TestPlatform : public Platform {
public:
    // Answers, used in order by the calls of their kind.
    std::deque<MessageAnswer> answers;
    std::deque<QString> inputs;  // input boxes
    std::deque<QString> files;   // open and save dialogs
    std::deque<std::optional<std::int32_t>> colours;

    std::vector<PlatformCall> calls;
    // The user's switches, as a fresh installation has none.
    std::map<QString, bool> settings;
    std::map<QString, QString> textSettings;
    // When set, the print preview paints its pages into this PDF file.
    QString printFile;

    // The texts of the message boxes shown so far.
    QStringList messages() const;
    int count(PlatformCall::Kind kind) const;

    MessageAnswer messageBox(const QString& text, MessageButtons buttons, MessageIcon icon,
                             const QString& caption) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& initialText) override;
    QString openFileName(const QString& filter, const QString& folder) override;
    QString saveFileName(const QString& filter, const QString& defaultSuffix,
                         const QString& suggestedPath) override;
    std::optional<std::int32_t> chooseColour(std::int32_t initial) override;
    void beep() override;
    void printPreview(const std::function<void(QPrinter&)>& paint) override;
    void showHelp(const QString& helpFile) override;
    void closeHelp() override;
    bool setting(const QString& key, bool fallback) override;
    void keepSetting(const QString& key, bool value) override;
    QString textSetting(const QString& key, const QString& fallback) override;
    void keepTextSetting(const QString& key, const QString& value) override;
};
