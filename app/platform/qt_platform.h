// The platform of the running program: Qt's dialogs, parented to the main
// window so that they are modal to it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/help_viewer.h"
#include "platform/platform.h"

class QCoreApplication;
class QFont;

// A file dialog filter written as pairs of description and pattern
// separated by "|" ("数据文件(*.tsd)|*.tsd") as Qt writes it
// ("数据文件(*.tsd)").
QString qtFileFilter(const QString& barSeparatedFilter);

// Loads Qt's Simplified Chinese texts (standard buttons, context menus,
// file and colour dialogs) whatever the user's locale, as the program's own
// texts are Chinese. Returns whether the translation was found and
// installed; without it Qt's texts stay English.
bool installChineseTranslations(QCoreApplication& application);

// The width a window needs for its title bar to show `title` whole: the
// title in the bold face many window managers use, plus room for the
// window icon and the title bar's buttons.
int titleBarWidth(const QString& title, const QFont& font);

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void setParent(QWidget* parent) { parent_ = parent; }

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
    // The help window, opened at the document's index: one window, raised
    // and taken back to the index by every call. A file that cannot be read
    // is reported in a message box instead.
    void showHelp(const QString& helpFile) override;
    void closeHelp() override;
    // In the user's configuration folder, under the program's name.
    bool setting(const QString& key, bool fallback) override;
    void keepSetting(const QString& key, bool value) override;
    QString textSetting(const QString& key, const QString& fallback) override;
    void keepTextSetting(const QString& key, const QString& value) override;

    // The help window while it is open; null before the first showHelp and
    // after the window was closed.
    HelpViewer* helpViewer() const { return helpViewer_; }

private:
    QPointer<QWidget> parent_;
    // A window of its own, not a child of the main window, so that it can
    // lie beside or behind it; closing it deletes it.
    QPointer<HelpViewer> helpViewer_;
};
