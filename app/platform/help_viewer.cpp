// The program's help window; see help_viewer.h.
#include "platform/help_viewer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

namespace {

// Wide enough for the document's tables, tall enough for a good part of a
// section; never more than most of the screen.
QSize preferredSize(const QWidget& window) {
    QSize size(900, 760);
    if (const QScreen* screen = window.screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    return size;
}

// A link into the document being shown: "#anchor", or the document's own
// file with an anchor.
bool isLinkWithinDocument(const QUrl& link, const QUrl& document) {
    if (!link.hasFragment()) {
        return false;
    }
    if (link.scheme().isEmpty() && link.path().isEmpty()) {
        return true;
    }
    return link.adjusted(QUrl::RemoveFragment) == document.adjusted(QUrl::RemoveFragment);
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Orvandel 帮助"));
    // The browser would load any link as its document and hand others to
    // the desktop; links are followed here instead, within the document only.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    setCentralWidget(browser_);
    resize(preferredSize(*this));
}

bool HelpViewer::open(const QString& helpFile) {
    const QFileInfo file(helpFile);
    if (!file.isFile() || !file.isReadable() || file.size() == 0) {
        return false;
    }
    const QUrl source = QUrl::fromLocalFile(file.absoluteFilePath());
    if (browser_->source() == source) {
        browser_->reload();  // the document may have changed since it was shown
    } else {
        browser_->setSource(source, QTextDocument::HtmlResource);
    }
    return !browser_->document()->isEmpty();
}

void HelpViewer::showIndex() {
    QTextCursor start = browser_->textCursor();
    start.movePosition(QTextCursor::Start);
    browser_->setTextCursor(start);
    browser_->horizontalScrollBar()->setValue(0);
    browser_->verticalScrollBar()->setValue(0);
}

void HelpViewer::followLink(const QUrl& link) {
    if (isLinkWithinDocument(link, browser_->source())) {
        browser_->scrollToAnchor(link.fragment(QUrl::FullyDecoded));
    }
}
