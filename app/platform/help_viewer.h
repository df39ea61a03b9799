// The program's help window: the help document of the program folder in a
// text browser. Links within the document move to their section; links to
// anything else open nothing, so the help never starts another program or
// leaves the document.
#pragma once

#include <QMainWindow>
#include <QString>

class QTextBrowser;
class QUrl;

class HelpViewer : public QMainWindow {
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Reads the document `helpFile` (HTML). False when the file cannot be
    // read or holds nothing to show.
    bool open(const QString& helpFile);

    // Back to the start of the document, where its index is.
    void showIndex();

    QTextBrowser* browser() const { return browser_; }

private:
    void followLink(const QUrl& link);

    QTextBrowser* browser_;
};
